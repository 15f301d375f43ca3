#include "COstUI_Picture.h"

#include <QFile>
#include <QFileInfo>

COstUI_Picture::COstUI_Picture() = default;
COstUI_Picture::~COstUI_Picture() = default;

void COstUI_Picture::Release() {
    picture_ = QImage();
    path_.clear();
    width_ = 0;
    height_ = 0;
}

QString COstUI_Picture::ResourcePath(int resourceId, const QString& resourceType) {
    return u":/"_qs + resourceType + u'/' + QString::number(resourceId);
}

bool COstUI_Picture::LoadFromMemory(const QByteArray& bytes) {
    QImage image;
    if (bytes.isEmpty() || !image.loadFromData(bytes) || image.isNull())
        return false;
    picture_ = std::move(image);
    width_ = picture_.width();
    height_ = picture_.height();
    return true;
}

int COstUI_Picture::LoadFromFile(const QString& path, bool skipIfSame) {
    if (path.isEmpty() || !QFileInfo::exists(path)) {
        Release();
        return -1;
    }
    if (skipIfSame && path == path_)
        return 0;
    Release();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray bytes = file.readAll();
    file.close();
    if (!LoadFromMemory(bytes))
        return -1;
    path_ = path;
    return 1;
}

bool COstUI_Picture::LoadFromResource(int resourceId, const QString& resourceType) {
    Release();
    QFile resource(ResourcePath(resourceId, resourceType));
    if (!resource.open(QIODevice::ReadOnly))
        return false;
    return LoadFromMemory(resource.readAll());
}
