#include "OstUserMonitor.h"

#include "FriendInfoUpdate.h"
#include "OstNotificationCenter.h"

#include <QStringList>
#include <algorithm>

namespace {

const QString kUsersPrefix = QStringLiteral("USERS ");

// The reply's handles: split at ", ", skipping separator characters at a token's start.
QStringList SplitHandles(const QString& text) {
    QStringList tokens;
    qsizetype pos = 0;
    const qsizetype size = text.size();
    while (pos < size) {
        while (pos < size && (text[pos] == u',' || text[pos] == u' '))
            ++pos;
        if (pos >= size)
            break;
        qsizetype end = text.indexOf(u", ", pos);
        if (end < 0)
            end = size;
        tokens.append(text.mid(pos, end - pos));
        pos = end + 2;
    }
    return tokens;
}

int OrderCode(QChar c) {
    const char16_t u = c.unicode();
    if (u >= u'a' && u <= u'z')
        return (u - u'a') * 2;
    if (u >= u'A' && u <= u'Z')
        return (u - u'A') * 2 + 1;
    return -1;
}

} // namespace

OstUserMonitor::OstUserMonitor(SendFunction send) : send_(std::move(send)) {}

OstUserMonitor::~OstUserMonitor() = default;

void OstUserMonitor::Post(OstUser* contact, std::int32_t change) {
    FriendInfoUpdate update{contact, change};
    OstNotificationCenter::GetInstance().PostNotification(QStringLiteral("SKYPE_FRIEND_INFO_UPDATE"),
                                                          &update);
}

OstUser* OstUserMonitor::AddUser(const QString& handle) {
    auto& slot = users_[handle];
    slot = std::make_unique<OstUser>(handle);
    OstUser* user = slot.get();
    RequestUserInfo(handle);
    return user;
}

void OstUserMonitor::OnUsersReply(const QString& text) {
    QStringList handles = SplitHandles(text);
    if (!handles.isEmpty()) {
        // The prefix is cut from the first token only; "USERS " alone lists nobody.
        handles.first().remove(0, kUsersPrefix.size());
        if (handles.first().isEmpty())
            handles.removeFirst();
    }
    if (users_.size() > static_cast<std::size_t>(handles.size())) {
        for (const QString& handle : handles) {
            if (!users_.contains(handle))
                Post(AddUser(handle), FRIEND_ADDED);
        }
        return;
    }
    ClearUsers();
    for (const QString& handle : handles) {
        // A handle listed twice is one contact, asked for once.
        if (!users_.contains(handle))
            AddUser(handle);
    }
    Post(nullptr, FRIEND_LIST_REBUILT);
}

void OstUserMonitor::OnUserReply(const QString& text) {
    const qsizetype first = text.indexOf(u' ');
    const qsizetype second = first < 0 ? -1 : text.indexOf(u' ', first + 1);
    if (second < 0)
        return; // no property at all
    const qsizetype third = text.indexOf(u' ', second + 1);
    const QString handle = text.mid(first + 1, second - first - 1);
    if (handle.isEmpty())
        return;
    const QString property =
        third < 0 ? text.mid(second + 1) : text.mid(second + 1, third - second - 1);
    const QString value = third < 0 ? QString() : text.mid(third + 1);

    OstUser* user = GetUser(handle);
    std::int32_t change = 0;
    if (property == u"ONLINESTATUS") {
        static const std::pair<const char16_t*, std::int32_t> kWords[] = {
            {u"UNKNOWN", SKYPE_STATUS_UNKNOWN}, {u"OFFLINE", SKYPE_STATUS_OFFLINE},
            {u"ONLINE", SKYPE_STATUS_ONLINE},   {u"AWAY", SKYPE_STATUS_AWAY},
            {u"NA", SKYPE_STATUS_NA},           {u"DND", SKYPE_STATUS_DND},
            {u"SKYPEOUT", SKYPE_STATUS_SKYPEOUT}};
        for (const auto& [word, code] : kWords) {
            if (value == QStringView(word))
                user->onlineStatus_ = code;
        }
        change = FRIEND_ONLINESTATUS;
    } else if (property == u"FULLNAME") {
        user->fullName_ = value;
        if (!value.isEmpty() && user->displayName_ != user->shownName_)
            user->shownName_ = value;
        change = FRIEND_FULLNAME;
    } else if (property == u"DISPLAYNAME") {
        user->displayName_ = value;
        if (!value.isEmpty())
            user->shownName_ = value;
        change = FRIEND_DISPLAYNAME;
    } else {
        return;
    }
    Post(user, change);
}

OstUser* OstUserMonitor::GetUser(const QString& handle) {
    if (OstUser* user = FindUser(handle))
        return user;
    OstUser* user = AddUser(handle);
    Post(user, FRIEND_ADDED);
    return user;
}

OstUser* OstUserMonitor::FindUser(const QString& handle) const {
    auto it = users_.find(handle);
    return it == users_.end() ? nullptr : it->second.get();
}

void OstUserMonitor::RequestUserInfo(const QString& handle) {
    send_(QStringLiteral("GET USER ") + handle + QStringLiteral(" FULLNAME"));
    send_(QStringLiteral("GET USER ") + handle + QStringLiteral(" DISPLAYNAME"));
    send_(QStringLiteral("GET USER ") + handle + QStringLiteral(" ONLINESTATUS"));
}

void OstUserMonitor::GetFriendList(std::vector<OstUser*>& list) const {
    for (const auto& [handle, user] : users_) {
        const auto status = user->GetOnlineStatus();
        if (status != SKYPE_STATUS_UNKNOWN && status != SKYPE_STATUS_SKYPEOUT)
            list.push_back(user.get());
    }
    std::stable_sort(list.begin(), list.end(), ShownNameLess);
}

void OstUserMonitor::ClearUsers() { users_.clear(); }

bool OstUserMonitor::ShownNameLess(const OstUser* a, const OstUser* b) {
    const QString& x = a->GetShownName();
    const QString& y = b->GetShownName();
    const qsizetype n = std::min(x.size(), y.size());
    for (qsizetype i = 0; i < n; ++i) {
        if (x[i] == y[i])
            continue;
        const int cx = OrderCode(x[i]);
        const int cy = OrderCode(y[i]);
        if (cx >= 0 && cy >= 0)
            return cx < cy;
        return x[i].unicode() < y[i].unicode();
    }
    return x.size() < y.size();
}
