#include "COstUI_StaticPicture.h"

#include <QPixmap>

COstUI_StaticPicture::COstUI_StaticPicture(QWidget* parent) : CColorStatic(parent) {
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

int COstUI_StaticPicture::LoadFromFile(const QString& path, bool skipIfSame) {
    const int result = COstUI_Picture::LoadFromFile(path, skipIfSame);
    if (result != 0)
        UpdateImage();
    return result;
}

bool COstUI_StaticPicture::LoadFromResource(int resourceId, const QString& resourceType) {
    const bool loaded = COstUI_Picture::LoadFromResource(resourceId, resourceType);
    if (loaded)
        UpdateImage();
    return loaded;
}

bool COstUI_StaticPicture::UpdateImage() {
    if (!IsLoaded()) {
        clear();
        shownSize_ = QSize();
        return false;
    }
    const QImage& picture = Picture();
    QSize target = picture.size();
    if (target != size() && (target.width() > maxSize_.width() || target.height() > maxSize_.height()))
        target = maxSize_;
    if (target == picture.size()) {
        setPixmap(QPixmap::fromImage(picture));
    } else {
        // Scaled for the screen's density, so a reduced photo stays sharp at 200 %.
        const qreal ratio = devicePixelRatioF();
        QImage shown = picture.scaled(target * ratio, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        shown.setDevicePixelRatio(ratio);
        setPixmap(QPixmap::fromImage(shown));
    }
    shownSize_ = target;
    return true;
}
