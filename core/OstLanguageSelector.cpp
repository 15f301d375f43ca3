#include "OstLanguageSelector.h"

#include "OstNotificationCenter.h"
#include "OstPrivateSettings.h"

#include <QDir>
#include <QLocale>
#include <QSettings>
#include <QTranslator>
#include <QVariant>

#include <limits>
#include <map>
#include <memory>

namespace {

const QString kLanguageKey = u"Language/LANGID"_qs;

// The compiled string tables found among the resources, one per language, loaded once. Their
// lookups only read the loaded data, so any thread may use them.
class StringTables {
public:
    StringTables() {
        const QDir dir(u":/i18n"_qs);
        const QString prefix = u"orbit_"_qs;
        const QString suffix = u".qm"_qs;
        for (const QString& name : dir.entryList({prefix + u'*' + suffix}, QDir::Files)) {
            bool ok = false;
            const uint language =
                name.mid(prefix.size(), name.size() - prefix.size() - suffix.size()).toUInt(&ok);
            if (!ok || language > std::numeric_limits<std::uint16_t>::max())
                continue;
            auto table = std::make_unique<QTranslator>();
            if (table->load(dir.filePath(name)))
                tables_.emplace(static_cast<std::uint16_t>(language), std::move(table));
        }
    }

    const QTranslator* Find(std::uint16_t language) const {
        const auto it = tables_.find(language);
        return it == tables_.end() ? nullptr : it->second.get();
    }

private:
    std::map<std::uint16_t, std::unique_ptr<QTranslator>> tables_;
};

const StringTables& Tables() {
    static const StringTables tables;
    return tables;
}

// The stored value as the 32-bit word it was written as; anything else counts as unreadable.
bool ReadStoredLanguage(std::uint16_t& language) {
    const QVariant value = QSettings(u"Ostrel"_qs, u"Orbit"_qs).value(kLanguageKey);
    if (!value.isValid())
        return false;
    bool ok = false;
    const qlonglong number = value.toLongLong(&ok);
    if (!ok || number < std::numeric_limits<std::int32_t>::min() ||
        number > std::numeric_limits<std::uint32_t>::max())
        return false;
    language = static_cast<std::uint16_t>(static_cast<quint64>(number) & 0xFFFFu);
    return true;
}

} // namespace

OstLanguageSelector& OstLanguageSelector::GetInstance() {
    static OstLanguageSelector instance(QLocale::system().uiLanguages());
    return instance;
}

OstLanguageSelector::OstLanguageSelector(const QStringList& systemUiLanguages) {
    std::uint16_t language = 0;
    if (!ReadStoredLanguage(language))
        language = LanguageForSystem(systemUiLanguages);
    SetLanguage(language);
}

OstLanguageSelector::~OstLanguageSelector() = default;

void OstLanguageSelector::SetLanguage(std::uint16_t language) {
    language_ = language;
    OstNotificationCenter::GetInstance().PostNotification(u"LANGUAGE_CHANGED"_qs, nullptr);
    // A failed write is not reported: the language still changes for this run. The file
    // also holds the remote monitor's password.
    OstPrivateSettings::Protect(true);
    QSettings settings(u"Ostrel"_qs, u"Orbit"_qs);
    settings.setValue(kLanguageKey, static_cast<quint32>(language));
    settings.sync();
}

bool OstLanguageSelector::LoadStringInLanguage(std::uint16_t language, int number, QString& text) {
    const QTranslator* table = Tables().Find(language);
    if (!table)
        return false;
    const QString found = table->translate(nullptr, QByteArray::number(number).constData());
    if (found.isNull())
        return false;
    text = found;
    return true;
}

QString OstLanguageSelector::GetString(int number) const {
    QString text;
    LoadStringInLanguage(language_, number, text);
    return text;
}

std::uint16_t OstLanguageSelector::LanguageForSystem(const QStringList& uiLanguages) {
    if (uiLanguages.isEmpty())
        return English;
    // The most preferred language alone decides, like the desktop's one user-interface
    // language; QLocale fills in the likely territory, so "zh-Hant" counts as Taiwan.
    const QLocale locale(uiLanguages.first());
    if (locale.language() == QLocale::Chinese && locale.territory() == QLocale::Taiwan)
        return TraditionalChinese;
    return English;
}
