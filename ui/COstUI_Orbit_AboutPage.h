#pragma once

#include "COstUI_PropertyPage.h"

class QLabel;

// The about page: the product picture (260) and the web site link (string 449, which is
// both the text and the address), opened in the desktop's browser.
class COstUI_Orbit_AboutPage : public COstUI_PropertyPage {
    Q_OBJECT

public:
    static constexpr int kTitle = 448;
    static constexpr int kPictureId = 260;

    explicit COstUI_Orbit_AboutPage(QWidget* parent = nullptr);
    ~COstUI_Orbit_AboutPage() override;

    bool OnInitDialog() override;
    void ApplyTexts() override;

    QString GetLinkTarget() const { return target_; }

signals:
    // The address just handed to the browser.
    void linkOpened(const QString& url);

private:
    void OpenLink();

    QLabel* picture_ = nullptr;
    QLabel* link_ = nullptr;
    QString target_;
};
