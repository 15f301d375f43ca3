#pragma once

#include "CColorStatic.h"
#include "COstUI_Picture.h"

#include <QSize>

// Shows a loaded picture. A picture larger than the maximum size (and not already the size of
// the control) is shown at exactly the maximum size, its aspect ratio not kept; a picture
// that cannot be loaded clears the control.
class COstUI_StaticPicture : public CColorStatic, public COstUI_Picture {
    Q_OBJECT
public:
    explicit COstUI_StaticPicture(QWidget* parent = nullptr);

    int LoadFromFile(const QString& path, bool skipIfSame) override;
    bool LoadFromResource(int resourceId, const QString& resourceType) override;

    void SetMaxSize(const QSize& size) { maxSize_ = size; }
    QSize MaxSize() const { return maxSize_; }
    // The size the picture is shown at (device-independent), empty when none is shown.
    QSize ShownSize() const { return shownSize_; }

    // Shows the loaded picture by the rule above; false (and the control cleared) without one.
    bool UpdateImage();

private:
    QSize maxSize_{640, 480};
    QSize shownSize_;
};
