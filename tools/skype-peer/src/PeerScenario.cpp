#include "PeerScenario.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QSet>

namespace {

bool ReadString(const QJsonObject& object, const char* key, QString* out, QString* error) {
    const QJsonValue value = object.value(QLatin1String(key));
    if (value.isUndefined() || value.isNull())
        return true;
    if (!value.isString()) {
        *error = QStringLiteral("\"%1\" must be a string").arg(QLatin1String(key));
        return false;
    }
    *out = value.toString();
    return true;
}

bool ReadInt(const QJsonObject& object, const char* key, int* out, QString* error) {
    const QJsonValue value = object.value(QLatin1String(key));
    if (value.isUndefined() || value.isNull())
        return true;
    const double number = value.toDouble(-1);
    if (!value.isDouble() || number < 0 || number > 3600000 || number != int(number)) {
        *error = QStringLiteral("\"%1\" must be a whole number from 0 to 3600000")
                     .arg(QLatin1String(key));
        return false;
    }
    *out = int(number);
    return true;
}

// A delay that may also be -1, for "never".
bool ReadDelayOrNever(const QJsonObject& object, const char* key, int* out, QString* error) {
    const QJsonValue value = object.value(QLatin1String(key));
    if (value.isDouble() && value.toDouble() == -1) {
        *out = -1;
        return true;
    }
    if (!ReadInt(object, key, out, error)) {
        *error = QStringLiteral("\"%1\" must be -1 (never) or a whole number from 0 to 3600000")
                     .arg(QLatin1String(key));
        return false;
    }
    return true;
}

bool ReadBool(const QJsonObject& object, const char* key, bool* out, QString* error) {
    const QJsonValue value = object.value(QLatin1String(key));
    if (value.isUndefined() || value.isNull())
        return true;
    if (!value.isBool()) {
        *error = QStringLiteral("\"%1\" must be true or false").arg(QLatin1String(key));
        return false;
    }
    *out = value.toBool();
    return true;
}

bool ReadUser(const QJsonObject& object, PeerUser* user, QString* error) {
    static const QSet<QString> kKnown = {"handle",        "fullName",        "displayName",
                                         "status",        "friends",         "loggedIn",
                                         "bus",           "skypeRunning",    "attach",
                                         "attachDelayMs", "replyDelayMs",    "photoApp",
                                         "receiveFolder", "receiveMode",     "receiveCount",
                                         "ackDelayMs",    "receiveTimeoutMs", "handleDelayMs"};
    for (auto it = object.begin(); it != object.end(); ++it) {
        if (!kKnown.contains(it.key())) {
            *error = QStringLiteral("unknown key \"%1\"").arg(it.key());
            return false;
        }
    }
    if (!ReadString(object, "handle", &user->handle, error) ||
        !ReadString(object, "fullName", &user->fullName, error) ||
        !ReadString(object, "displayName", &user->displayName, error) ||
        !ReadString(object, "status", &user->status, error) ||
        !ReadBool(object, "loggedIn", &user->loggedIn, error) ||
        !ReadString(object, "bus", &user->bus, error) ||
        !ReadBool(object, "skypeRunning", &user->skypeRunning, error) ||
        !ReadString(object, "attach", &user->attachMode, error) ||
        !ReadInt(object, "attachDelayMs", &user->attachDelayMs, error) ||
        !ReadInt(object, "replyDelayMs", &user->replyDelayMs, error) ||
        !ReadDelayOrNever(object, "handleDelayMs", &user->handleDelayMs, error) ||
        !ReadBool(object, "photoApp", &user->photoApp, error) ||
        !ReadString(object, "receiveFolder", &user->receiveFolder, error) ||
        !ReadString(object, "receiveMode", &user->receiveMode, error) ||
        !ReadInt(object, "receiveCount", &user->receiveCount, error) ||
        !ReadInt(object, "ackDelayMs", &user->ackDelayMs, error) ||
        !ReadInt(object, "receiveTimeoutMs", &user->receiveTimeoutMs, error))
        return false;
    const QJsonValue friends = object.value(QLatin1String("friends"));
    if (!friends.isUndefined() && !friends.isNull()) {
        if (!friends.isArray()) {
            *error = QStringLiteral("\"friends\" must be a list of handles");
            return false;
        }
        for (const QJsonValue& entry : friends.toArray()) {
            if (!entry.isString()) {
                *error = QStringLiteral("\"friends\" must be a list of handles");
                return false;
            }
            user->friends.append(entry.toString());
        }
    }
    return true;
}

} // namespace

bool PeerScenario::IsValidHandle(const QString& handle) {
    // Blanks, commas and colons would break the texts that carry handles.
    static const QRegularExpression kHandle(QStringLiteral("^[A-Za-z0-9+][A-Za-z0-9._+-]{0,31}$"));
    return kHandle.match(handle).hasMatch();
}

bool PeerScenario::IsUserStatus(const QString& word) {
    static const QSet<QString> kWords = {"UNKNOWN", "ONLINE",    "OFFLINE",  "AWAY",   "NA",
                                         "DND",     "INVISIBLE", "SKYPEOUT", "SKYPEME"};
    return kWords.contains(word);
}

bool PeerScenario::Parse(const QByteArray& json, QString* error) {
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(json, &parseError);
    if (document.isNull()) {
        *error = QStringLiteral("scenario is not valid JSON: %1 at offset %2")
                     .arg(parseError.errorString())
                     .arg(parseError.offset);
        return false;
    }
    if (!document.isObject()) {
        *error = QStringLiteral("scenario must be a JSON object");
        return false;
    }
    const QJsonObject root = document.object();
    static const QSet<QString> kKnown = {"skypeVersion", "latencyMs", "users", "comment"};
    for (auto it = root.begin(); it != root.end(); ++it) {
        if (!kKnown.contains(it.key())) {
            *error = QStringLiteral("unknown key \"%1\" in the scenario").arg(it.key());
            return false;
        }
    }
    if (!ReadString(root, "skypeVersion", &skypeVersion, error) ||
        !ReadInt(root, "latencyMs", &latencyMs, error))
        return false;
    const QJsonValue list = root.value(QLatin1String("users"));
    if (!list.isArray()) {
        *error = QStringLiteral("scenario needs a \"users\" list");
        return false;
    }
    users.clear();
    int index = 0;
    for (const QJsonValue& entry : list.toArray()) {
        PeerUser user;
        QString userError;
        if (!entry.isObject() || !ReadUser(entry.toObject(), &user, &userError)) {
            *error =
                QStringLiteral("user %1: %2")
                    .arg(index)
                    .arg(userError.isEmpty() ? QStringLiteral("must be an object") : userError);
            return false;
        }
        users.append(user);
        ++index;
    }
    return true;
}

bool PeerScenario::LoadFile(const QString& path, QString* error) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("cannot read scenario %1: %2").arg(path, file.errorString());
        return false;
    }
    return Parse(file.readAll(), error);
}

bool PeerScenario::SetBus(const QString& handle, const QString& address) {
    for (PeerUser& user : users) {
        if (user.handle == handle) {
            user.bus = address;
            return true;
        }
    }
    return false;
}

bool PeerScenario::Validate(QString* error) const {
    if (skypeVersion.isEmpty() || skypeVersion.contains(QLatin1Char(' '))) {
        *error = QStringLiteral("\"skypeVersion\" must be one word");
        return false;
    }
    QSet<QString> handles;
    QSet<QString> buses;
    for (const PeerUser& user : users) {
        if (!IsValidHandle(user.handle)) {
            *error = QStringLiteral("\"%1\" is not a valid handle").arg(user.handle);
            return false;
        }
        if (handles.contains(user.handle)) {
            *error = QStringLiteral("handle \"%1\" appears twice").arg(user.handle);
            return false;
        }
        handles.insert(user.handle);
        if (!IsUserStatus(user.status)) {
            *error = QStringLiteral("%1: unknown status \"%2\"").arg(user.handle, user.status);
            return false;
        }
        if (user.attachMode != QLatin1String("accept") &&
            user.attachMode != QLatin1String("refuse") &&
            user.attachMode != QLatin1String("delay")) {
            *error =
                QStringLiteral("%1: \"attach\" must be accept, refuse or delay").arg(user.handle);
            return false;
        }
        if (user.receiveMode != QLatin1String("accept") &&
            user.receiveMode != QLatin1String("refuse") &&
            user.receiveMode != QLatin1String("silent") &&
            user.receiveMode != QLatin1String("cancel")) {
            *error = QStringLiteral("%1: \"receiveMode\" must be accept, refuse, silent or cancel")
                         .arg(user.handle);
            return false;
        }
        if (user.IsProgram()) {
            if (buses.contains(user.bus)) {
                *error = QStringLiteral("%1: two users on one bus").arg(user.handle);
                return false;
            }
            buses.insert(user.bus);
            if (user.photoApp) {
                *error = QStringLiteral("%1: a user served on a bus runs the real program, not a "
                                        "scripted photo application")
                             .arg(user.handle);
                return false;
            }
        }
    }
    for (const PeerUser& user : users) {
        for (const QString& contact : user.friends) {
            if (!handles.contains(contact) || contact == user.handle) {
                *error = QStringLiteral("%1: friend \"%2\" is not another user of the scenario")
                             .arg(user.handle, contact);
                return false;
            }
        }
    }
    return true;
}
