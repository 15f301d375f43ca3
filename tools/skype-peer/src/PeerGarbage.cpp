#include "PeerGarbage.h"

namespace {

QStringList Build() {
    QStringList list = {
        QString(),
        QStringLiteral(" "),
        QStringLiteral("     "),
        QStringLiteral("CALL"),
        QStringLiteral("CALL "),
        QStringLiteral("CALL 7"),
        QStringLiteral("CALL 7 STATUS"),
        QStringLiteral("CALL 7 STATUS WHATEVER"),
        QStringLiteral("CALL 7 CONF_ID abc"),
        QStringLiteral("CALL 7 CONF_PARTICIPANT"),
        QStringLiteral("USER"),
        QStringLiteral("USER "),
        QStringLiteral("USER nobody"),
        QStringLiteral("USER nobody FULLNAME"),
        QStringLiteral("USER nobody ONLINESTATUS SOMEWHERE"),
        QStringLiteral("USERS"),
        QStringLiteral("USERS "),
        QStringLiteral("USERS , , ,"),
        QStringLiteral("USERSTATUS"),
        QStringLiteral("USERSTATUS SLEEPING"),
        QStringLiteral("CURRENTUSERHANDLE"),
        QStringLiteral("CURRENTUSERHANDLE "),
        QStringLiteral("SKYPEVERSION"),
        QStringLiteral("SKYPEVERSION ...."),
        QStringLiteral("SKYPEVERSION x.y.z"),
        QStringLiteral("CONNSTATUS"),
        QStringLiteral("CONNSTATUS LOGGEDOUTX"),
        QStringLiteral("CHAT"),
        QStringLiteral("CHAT #/$;"),
        QStringLiteral("CHAT #a$"),
        QStringLiteral("MESSAGE"),
        QStringLiteral("MESSAGE 1"),
        QStringLiteral("MESSAGE 1 BODY"),
        QStringLiteral("MESSAGE x STATUS RECEIVED"),
        QStringLiteral("APPLICATION"),
        QStringLiteral("APPLICATION x"),
        QStringLiteral("APPLICATION x STREAMS"),
        QStringLiteral("APPLICATION x RECEIVED"),
        QStringLiteral("APPLICATION x RECEIVED ="),
        QStringLiteral("APPLICATION x RECEIVED =12"),
        QStringLiteral("APPLICATION x RECEIVED nobody:1"),
        QStringLiteral("ALTER APPLICATION x READ"),
        QStringLiteral("ALTER APPLICATION x READ nobody:1 PKT-BEGIN"),
        QStringLiteral("ALTER APPLICATION x READ nobody:1 PKT-BEGIN a"),
        QStringLiteral("ALTER APPLICATION x READ nobody:1 PKT-ACK"),
        QStringLiteral("ALTER APPLICATION x READ nobody:1 PKT-7 a !!!notbase64!!!"),
        QStringLiteral("CREATE APPLICATION"),
        QStringLiteral("\u00e9\u00e8\u4e2d\u6587 \U0001F600 \u200b\u202e"),
        QStringLiteral("\t\r\n"),
        QStringLiteral("%s%s%s%n%n"),
    };
    list.append(QStringLiteral("USER nobody FULLNAME ") + QString(1024 * 1024, QLatin1Char('x')));
    QStringList handles;
    for (int i = 0; i < 5000; ++i)
        handles.append(QStringLiteral("user%1").arg(i));
    list.append(QStringLiteral("USERS ") + handles.join(QStringLiteral(", ")));
    list.append(QStringLiteral("SKYPEVERSION 99999999999.99999999999.-1.4294967296"));
    list.append(QStringLiteral("CALL 7 CONF_ID 99999999999"));
    list.append(QStringLiteral("CALL 7 CONF_PARTICIPANTS_COUNT -5"));
    list.append(QStringLiteral("CALL 7 CONF_PARTICIPANTS_COUNT 2147483647"));
    return list;
}

} // namespace

const QStringList& PeerGarbage::Catalogue() {
    static const QStringList kList = Build();
    return kList;
}

QString PeerGarbage::At(int index) {
    const QStringList& list = Catalogue();
    return list.at(index % list.size());
}
