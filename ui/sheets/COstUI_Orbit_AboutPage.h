#pragma once

#include "COstUI_PropertyPage.h"

class COstUI_StaticPicture;
class CXHyperLink;

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

    // Null until the page is first shown.
    CXHyperLink* GetLink() const { return link_; }
    COstUI_StaticPicture* GetPicture() const { return picture_; }

private:
    COstUI_StaticPicture* picture_ = nullptr;
    CXHyperLink* link_ = nullptr;
};
