#pragma once

#include "OstObject.h"

#include <QString>
#include <QStringList>
#include <cstdint>

// The user-interface language: held here, remembered in the settings under
// "Language/LANGID" and announced with "LANGUAGE_CHANGED" whenever it is set. Every visible
// text is a numbered string looked up in the current language.
//
// The string tables are resources of the orbit_res library (":/i18n/orbit_<language>.qm");
// a program that uses the selector links orbit_res, or every text loads as empty.
class OstLanguageSelector : public OstObject {
public:
    static constexpr std::uint16_t English = 1033;
    static constexpr std::uint16_t TraditionalChinese = 1028;
    static constexpr std::uint16_t Korean = 1042;

    // Built on first use from the stored value or the system's user-interface language.
    static OstLanguageSelector& GetInstance();

    // systemUiLanguages stands for QLocale::system().uiLanguages(), most preferred first; it
    // only matters when no language is stored yet.
    explicit OstLanguageSelector(const QStringList& systemUiLanguages);
    ~OstLanguageSelector() override;
    OstLanguageSelector(const OstLanguageSelector&) = delete;
    OstLanguageSelector& operator=(const OstLanguageSelector&) = delete;

    std::uint16_t GetLanguage() const { return language_; }
    // Also for the current language: the notification is posted and the value rewritten.
    void SetLanguage(std::uint16_t language);

    // The string of that number in exactly that language. Not found (no table for the
    // language, or no such number): false, and text is left as it was.
    static bool LoadStringInLanguage(std::uint16_t language, int number, QString& text);
    // The string in the current language; empty when not found.
    QString GetString(int number) const;

    // The first-run choice: Traditional Chinese when the most preferred user-interface
    // language is Chinese of Taiwan, otherwise English (Korean is never chosen by itself).
    static std::uint16_t LanguageForSystem(const QStringList& uiLanguages);

private:
    std::uint16_t language_ = English;
};
