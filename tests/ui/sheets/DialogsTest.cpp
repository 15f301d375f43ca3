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

bool Touch(const QString& path, const QByteArray& content = {}) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(content);
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

TEST(AboutPageTest, LinkShowsAndOpensTheSiteAfterLanguageChanges) {
    auto& selector = OstLanguageSelector::GetInstance();
    selector.SetLanguage(OstLanguageSelector::English);
    COstUI_PropertySheet sheet(448);
    COstUI_Orbit_AboutPage about;
    sheet.AddPage(&about);
    sheet.show();
    CXHyperLink* link = about.GetLink();
    ASSERT_NE(link, nullptr);
    QList<QUrl> opened;
    link->SetOpener([&opened](const QUrl& url) {
        opened << url;
        return true;
    });
    for (std::uint16_t language : {OstLanguageSelector::TraditionalChinese,
                                   OstLanguageSelector::Korean}) {
        selector.SetLanguage(language);
        sheet.ApplyTexts();
        QString site;
        ASSERT_TRUE(OstLanguageSelector::LoadStringInLanguage(language, 449, site));
        EXPECT_EQ(link->text(), site);
        opened.clear();
        QTest::mouseClick(link, Qt::LeftButton);
        ASSERT_EQ(opened.size(), 1);
        EXPECT_EQ(opened.front(), QUrl(site));
    }
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
        {"systemsettings", {u"kcm_pulseaudio"_qs}},
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

TEST(DesktopSettingsTest, OpensTheFoundProgramWithItsArguments) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString record = dir.filePath(u"arguments"_qs);
    ASSERT_TRUE(Touch(dir.filePath(u"pavucontrol"_qs),
                      "#!/bin/sh\necho \"$@\" > '" + record.toUtf8() + "'\n"));
    ASSERT_TRUE(OstDesktopSettings::OpenSoundInputSettings(nullptr, {dir.path()}));
    QFile file(record);
    for (int i = 0; i < 500 && !file.exists(); ++i)
        QTest::qWait(10);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll().trimmed(), "--tab=4");
}
