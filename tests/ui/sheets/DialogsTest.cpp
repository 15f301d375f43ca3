#include "COstUI_Orbit_AboutPage.h"
#include "COstUI_Orbit_RenameDlg.h"
#include "COstUI_PropertySheet.h"
#include "CXHyperLink.h"
#include "OstDesktopSettings.h"
#include "OstLanguageSelector.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

bool Touch(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    return file.setPermissions(file.permissions() | QFileDevice::ExeOwner);
}

} // namespace

TEST(RenameDlgTest, RefusesNamesItCannotUseUntilTheNameIsEdited) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    ASSERT_TRUE(Touch(dir.filePath(u"photo 1.jpg"_qs)));
    ASSERT_TRUE(Touch(dir.filePath(u"taken.jpg"_qs)));
    COstUI_Orbit_RenameDlg dialog(u"photo 1"_qs, dir.path() + u'/');
    dialog.show();
    auto* edit = dialog.findChild<QLineEdit*>(u"1200"_qs);
    auto* refusal = dialog.findChild<QLabel*>(u"1202"_qs);
    auto* ok = dialog.findChild<QPushButton*>(u"1"_qs);
    ASSERT_TRUE(edit && refusal && ok);
    EXPECT_EQ(edit->text(), u"photo 1"_qs);
    EXPECT_FALSE(refusal->isVisible());

    auto refused = [&](const QString& name) {
        edit->setText(name);
        EXPECT_FALSE(refusal->isVisible()) << "editing hides the refusal";
        QTest::mouseClick(ok, Qt::LeftButton);
        return refusal->isVisible() && dialog.isVisible();
    };
    EXPECT_TRUE(refused(u"photo 1"_qs)) << "the unchanged name exists";
    EXPECT_TRUE(refused(u"taken"_qs));
    EXPECT_TRUE(refused(QString()));
    EXPECT_TRUE(refused(u"a/b"_qs));
    EXPECT_TRUE(refused(QString(252, u'x'))) << "no room for .jpg in a file name";
    EXPECT_TRUE(refused(QString(126, u'한'))) << "the limit is in bytes";
    QTest::keyClick(edit, Qt::Key_Backspace);
    EXPECT_FALSE(refusal->isVisible());

    edit->clear();
    QTest::keyClicks(edit, u"taken 2"_qs);
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.GetNewName(), u"taken 2"_qs);
}

TEST(AboutPageTest, LinkFollowsTheLanguageAndOpensItsSite) {
    auto& selector = OstLanguageSelector::GetInstance();
    COstUI_PropertySheet sheet(448);
    COstUI_Orbit_AboutPage about;
    sheet.AddPage(&about);
    sheet.show();
    QList<QUrl> opened;
    about.GetLink()->SetOpener([&opened](const QUrl& url) { return opened << url, true; });
    selector.SetLanguage(OstLanguageSelector::Korean);
    sheet.ApplyTexts();
    EXPECT_EQ(about.GetLink()->text(), selector.GetString(449));
    QTest::mouseClick(about.GetLink(), Qt::LeftButton);
    EXPECT_EQ(opened, QList<QUrl>{QUrl(selector.GetString(449))});
    selector.SetLanguage(OstLanguageSelector::English);
}

TEST(DesktopSettingsTest, SoundInputSettingsPreferTheVolumeControlThenGnomeThenKde) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QStringList paths{dir.path()};
    EXPECT_FALSE(OstDesktopSettings::FindSoundInputSettings(paths));

    const struct {
        const char* program;
        QStringList arguments;
    } kOrder[] = {
        {"kcmshell5", {u"kcm_pulseaudio"_qs}},
        {"gnome-control-center", {u"sound"_qs}},
        {"pavucontrol", {u"--tab=4"_qs}},
    };
    for (const auto& next : kOrder) {
        ASSERT_TRUE(Touch(dir.filePath(QString::fromLatin1(next.program))));
        const auto found = OstDesktopSettings::FindSoundInputSettings(paths);
        ASSERT_TRUE(found);
        EXPECT_EQ(found->program, dir.filePath(QString::fromLatin1(next.program)));
        EXPECT_EQ(found->arguments, next.arguments);
    }
}
