#include "OstSettings.h"

#include "OstText.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <QStringList>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>
#include <limits>
#include <utility>

namespace {

const QString kSettingsFile = QStringLiteral("Settings.xml");
const QString kEventListFile = QStringLiteral("EventList.xml");
const QString kSettingsRoot = QStringLiteral("Settings");
const QString kEventListRoot = QStringLiteral("EventList");
const QString kDefaultDeviceName = QStringLiteral("Orbit");
const QString kDefaultResolution = QStringLiteral("640x480");
const QString kDefaultFrame = QStringLiteral("30");

bool IsResolution(const QString& text) {
    static const QStringList values = {QStringLiteral("800x600"), QStringLiteral("640x480"),
                                       QStringLiteral("320x240"), QStringLiteral("176x144"),
                                       QStringLiteral("160x120")};
    return values.contains(text);
}

bool IsFrame(const QString& text) {
    static const QStringList values = {QStringLiteral("30"), QStringLiteral("15"),
                                       QStringLiteral("10"), QStringLiteral("5")};
    return values.contains(text);
}

QString WithSlash(const QString& folder) {
    return folder.endsWith(u'/') ? folder : folder + u'/';
}

void MakeFolder(const QString& folder) {
    if (!QFileInfo(folder).isDir())
        QDir().mkdir(folder);
}

std::int32_t Advanced(std::int32_t serial) {
    // Wrapping keeps the counter at 1 or more instead of overflowing.
    return serial < std::numeric_limits<std::int32_t>::max() ? serial + 1 : 1;
}

QString SerialText(std::int32_t serial) {
    return serial < 10000 ? QString::asprintf("%.4i", serial) : QString::number(serial);
}

// Reads the whole document and hands the first element named root, wherever it lies, to
// readRoot, which leaves the reader on that element's end. Nothing read counts unless the
// document is well-formed to its end, so callers read into scratch values and keep them only
// on true.
template <typename ReadRoot>
bool ReadDocument(const QString& path, const QString& root, ReadRoot readRoot) {
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly))
        return false;
    QXmlStreamReader reader(&file);
    bool found = false;
    while (!reader.atEnd()) {
        reader.readNext();
        if (!found && reader.isStartElement() && reader.qualifiedName() == root) {
            found = true;
            readRoot(reader);
        }
    }
    return found && !reader.hasError();
}

// Calls visit(name) for each child element of the reader's current element, in document
// order; visit must read or skip that child to its end.
template <typename Visit> void ForEachChild(QXmlStreamReader& reader, Visit visit) {
    while (reader.readNextStartElement())
        visit(reader.qualifiedName());
}

bool IsXmlChar(char16_t c) {
    return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c < 0xD800) ||
           (c >= 0xE000 && c <= 0xFFFD);
}

bool NeedsCare(const QString& text) {
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u == u'\r' || !IsXmlChar(u))
            return true;
    }
    return false;
}

// The text without what XML 1.0 cannot hold (control characters, unpaired surrogates). Applied
// on writing, so one odd name can never make the whole file unreadable, and on reading, since a
// file in another encoding can decode to such characters: a value reads the same before and
// after its save.
QString Storable(const QString& text) {
    if (!NeedsCare(text))
        return text;
    QString kept;
    kept.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (QChar::isHighSurrogate(c)) {
            if (i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
                kept += text[i];
                kept += text[i + 1];
                ++i;
            }
        } else if (IsXmlChar(c)) {
            kept += text[i];
        }
    }
    return kept;
}

QString ElementText(QXmlStreamReader& reader) {
    return Storable(reader.readElementText(QXmlStreamReader::IncludeChildElements));
}

// Writes a text-only element; carriage returns go as character references because a reader
// turns literal ones into line feeds.
void WriteTextElement(QXmlStreamWriter& writer, const QString& name, const QString& text) {
    writer.writeStartElement(name);
    const QStringList lines = Storable(text).split(u'\r');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (i > 0)
            writer.writeEntityReference(QStringLiteral("#13"));
        writer.writeCharacters(lines[i]);
    }
    writer.writeEndElement();
}

void WriteNumberElement(QXmlStreamWriter& writer, const QString& name, std::int32_t value) {
    writer.writeTextElement(name, QString::number(value));
}

// Replaces the file with the declaration and one unindented root element filled by fill; the
// previous file stays whole unless the new one was written completely.
template <typename Fill> bool WriteDocument(const QString& path, const QString& root, Fill fill) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QXmlStreamWriter writer(&file);
    writer.writeProcessingInstruction(QStringLiteral("xml"),
                                      QStringLiteral("version=\"1.0\" encoding=\"utf-8\""));
    writer.writeCharacters(QStringLiteral("\n"));
    writer.writeStartElement(root);
    fill(writer);
    writer.writeEndElement();
    writer.writeCharacters(QStringLiteral("\n"));
    // QSaveFile::commit would replace the file even after a failed final write, so every
    // write is checked here first.
    if (writer.hasError() || !file.flush() || file.error() != QFileDevice::NoError) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

} // namespace

OstSettings::Locations OstSettings::SystemLocations() {
    Locations locations;
    locations.DataLocation = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    locations.PicturesLocation = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    return locations;
}

OstSettings::OstSettings() : OstSettings(SystemLocations()) {}

OstSettings::OstSettings(Locations locations)
    : m_today(std::move(locations.Today)), m_settingsPath(kSettingsFile),
      m_eventListPath(kEventListFile) {
    if (!locations.DataLocation.isEmpty()) {
        QString folder = WithSlash(locations.DataLocation);
        // The desktop's data folder is made on request, as the system does for its own.
        QDir().mkpath(folder);
        folder += QStringLiteral("Ostrel/");
        MakeFolder(folder);
        folder += QStringLiteral("Orbit/");
        MakeFolder(folder);
        m_settingsPath.prepend(folder);
        m_eventListPath.prepend(folder);
    }

    LoadSettingsFile();
    LoadEventListFile();

    ApplyDateRule();
    if (m_timeSerialNumber < 1)
        m_timeSerialNumber = 1;
    if (m_customSerialNumber < 1)
        m_customSerialNumber = 1;
    if (m_settings.DeviceName.isEmpty())
        m_settings.DeviceName = kDefaultDeviceName;
    if (m_settings.SnapshotMode != 0 && m_settings.SnapshotMode != 1)
        m_settings.SnapshotMode = 0;
    if (m_settings.FileNameMode != 0 && m_settings.FileNameMode != 1)
        m_settings.FileNameMode = 0;

    if (!QFileInfo(m_settings.PicturesFolder).isDir() && !locations.PicturesLocation.isEmpty()) {
        const QString pictures = WithSlash(locations.PicturesLocation);
        QDir().mkpath(pictures);
        m_settings.PicturesFolder = pictures + QStringLiteral("Orbit/");
        MakeFolder(m_settings.PicturesFolder);
    }
    m_receiveFolder = m_settings.PicturesFolder + QStringLiteral("Receive/");
    MakeFolder(m_receiveFolder);

    if (!IsResolution(m_settings.Resolution))
        m_settings.Resolution = kDefaultResolution;
    if (!IsFrame(m_settings.Frame))
        m_settings.Frame = kDefaultFrame;
}

QString OstSettings::DateText(const QDate& date) {
    return QString::asprintf("%i%.2i%.2i", date.year(), date.month(), date.day());
}

QDate OstSettings::Today() const {
    return m_today ? m_today() : QDate::currentDate();
}

void OstSettings::ApplyDateRule() {
    const QString today = DateText(Today());
    if (today != m_lastSystemTime) {
        m_lastSystemTime = today;
        m_timeSerialNumber = 1;
    }
}

void OstSettings::LoadSettingsFile() {
    SettingsRecord settings = m_settings;
    QString lastSystemTime = m_lastSystemTime;
    std::int32_t timeSerial = m_timeSerialNumber;
    std::int32_t customSerial = m_customSerialNumber;

    const bool loaded = ReadDocument(m_settingsPath, kSettingsRoot, [&](QXmlStreamReader& reader) {
        ForEachChild(reader, [&](QStringView name) {
            if (name == u"DeviceName")
                settings.DeviceName = ElementText(reader);
            else if (name == u"SnapshotMode")
                settings.SnapshotMode = OstText::ToInt(ElementText(reader));
            else if (name == u"FileNameMode")
                settings.FileNameMode = OstText::ToInt(ElementText(reader));
            else if (name == u"CustomDefineName")
                settings.CustomDefineName = ElementText(reader);
            else if (name == u"PicturesFolder")
                settings.PicturesFolder = ElementText(reader);
            else if (name == u"Resolution")
                settings.Resolution = ElementText(reader);
            else if (name == u"Frame")
                settings.Frame = ElementText(reader);
            else if (name == u"LastFriendHandle")
                settings.LastFriendHandle = ElementText(reader);
            else if (name == u"LastSystemTime")
                lastSystemTime = ElementText(reader);
            else if (name == u"TimeSerialNumber")
                timeSerial = OstText::ToInt(ElementText(reader));
            else if (name == u"CustomSerialNumber")
                customSerial = OstText::ToInt(ElementText(reader));
            else
                reader.skipCurrentElement();
        });
    });
    if (!loaded)
        return;
    m_settings = std::move(settings);
    m_lastSystemTime = std::move(lastSystemTime);
    m_timeSerialNumber = timeSerial;
    m_customSerialNumber = customSerial;
}

void OstSettings::LoadEventListFile() {
    QList<EventRecord> events;
    const bool loaded =
        ReadDocument(m_eventListPath, kEventListRoot, [&](QXmlStreamReader& reader) {
            // Every child is a record, whatever its name.
            ForEachChild(reader, [&](QStringView) {
                EventRecord record;
                ForEachChild(reader, [&](QStringView name) {
                    if (name == u"EventType")
                        record.EventType = OstText::ToInt(ElementText(reader));
                    else if (name == u"EventFolder")
                        record.EventFolder = ElementText(reader);
                    else if (name == u"EventName")
                        record.EventName = ElementText(reader);
                    else if (name == u"FriendID")
                        record.FriendID = ElementText(reader);
                    else if (name == u"Resolution")
                        record.Resolution = ElementText(reader);
                    else if (name == u"PictureSize")
                        record.PictureSize = ElementText(reader);
                    else if (name == u"Status")
                        record.Status = OstText::ToInt(ElementText(reader));
                    else
                        reader.skipCurrentElement();
                });
                events.append(std::move(record));
            });
        });
    if (loaded)
        m_events = std::move(events);
}

bool OstSettings::ApplySettings(const SettingsRecord& record) {
    if (record.PicturesFolder != m_settings.PicturesFolder) {
        m_receiveFolder = record.PicturesFolder + QStringLiteral("Receive/");
        MakeFolder(m_receiveFolder);
    }
    m_settings = record;
    return SaveSettings();
}

bool OstSettings::SaveSettings() const {
    return WriteDocument(m_settingsPath, kSettingsRoot, [this](QXmlStreamWriter& writer) {
        WriteTextElement(writer, QStringLiteral("DeviceName"), m_settings.DeviceName);
        WriteNumberElement(writer, QStringLiteral("SnapshotMode"), m_settings.SnapshotMode);
        WriteNumberElement(writer, QStringLiteral("FileNameMode"), m_settings.FileNameMode);
        WriteTextElement(writer, QStringLiteral("CustomDefineName"), m_settings.CustomDefineName);
        WriteTextElement(writer, QStringLiteral("PicturesFolder"), m_settings.PicturesFolder);
        WriteTextElement(writer, QStringLiteral("Resolution"), m_settings.Resolution);
        WriteTextElement(writer, QStringLiteral("Frame"), m_settings.Frame);
        WriteTextElement(writer, QStringLiteral("LastFriendHandle"), m_settings.LastFriendHandle);
        WriteTextElement(writer, QStringLiteral("LastSystemTime"), m_lastSystemTime);
        WriteNumberElement(writer, QStringLiteral("TimeSerialNumber"), m_timeSerialNumber);
        WriteNumberElement(writer, QStringLiteral("CustomSerialNumber"), m_customSerialNumber);
    });
}

bool OstSettings::SaveEventList(const QList<EventRecord>& records) {
    m_events = records;
    for (EventRecord& record : m_events) {
        if (record.Status == EventRecord::Transferring)
            record.Status = EventRecord::Ended;
    }
    const QString event = QStringLiteral("Event");
    const QString eventType = QStringLiteral("EventType");
    const QString eventFolder = QStringLiteral("EventFolder");
    const QString eventName = QStringLiteral("EventName");
    const QString friendId = QStringLiteral("FriendID");
    const QString resolution = QStringLiteral("Resolution");
    const QString pictureSize = QStringLiteral("PictureSize");
    const QString status = QStringLiteral("Status");
    return WriteDocument(m_eventListPath, kEventListRoot, [&](QXmlStreamWriter& writer) {
        for (const EventRecord& record : std::as_const(m_events)) {
            writer.writeStartElement(event);
            WriteNumberElement(writer, eventType, record.EventType);
            WriteTextElement(writer, eventFolder, record.EventFolder);
            WriteTextElement(writer, eventName, record.EventName);
            WriteTextElement(writer, friendId, record.FriendID);
            WriteTextElement(writer, resolution, record.Resolution);
            WriteTextElement(writer, pictureSize, record.PictureSize);
            WriteNumberElement(writer, status, record.Status);
            writer.writeEndElement();
        }
    });
}

QString OstSettings::MakePhotoFileName() {
    const QString& folder = m_settings.PicturesFolder;
    if (!QFileInfo(folder).isDir()) {
        // Level by level, each level ending in "/"; the root and a last level without a
        // trailing "/" are not made.
        for (qsizetype p = folder.indexOf(u'/', 1); p > 0; p = folder.indexOf(u'/', p + 1))
            MakeFolder(folder.left(p + 1));
    }

    const bool custom = m_settings.FileNameMode == 1;
    if (!custom)
        ApplyDateRule();
    std::int32_t& counter = custom ? m_customSerialNumber : m_timeSerialNumber;
    const QString& base = custom ? m_settings.CustomDefineName : m_lastSystemTime;
    // A serial whose file already exists is skipped, so a new photo never takes the name of
    // one the user already has (the serials restart at 1 after the event list is emptied).
    // The whole name is returned however long it gets; a name the file system refuses makes
    // the camera's write fail, which is reported there.
    const std::int32_t first = counter;
    QString name;
    do {
        name = folder + base + u'-' + SerialText(counter) + QStringLiteral(".jpg");
        counter = Advanced(counter);
    } while (QFileInfo::exists(name) && counter != first);
    return name;
}

void OstSettings::ResetSerialNumbers() {
    m_timeSerialNumber = 1;
    m_customSerialNumber = 1;
}
