#include "SessionData.h"

#include "HostAddress.h"
#include "TextHelpers.h"

#include <string.h>

#include <set>
#include <string>

namespace {

const char kAcceptedStatus[] = "loginresult@status:1";
const char kRefusedStatus[] = "loginresult@status:-1";
const char kServerDataError[] = "服务器数据错误！";
const char kTooManyServers[] = "服务器数据错误：服务器超过1000个！";

// Entries of the server list, "&"-separated, a final "&" adding none.
int CountServerEntries(const CString& serverList)
{
    const int length = serverList.GetLength();
    int separators = 0;
    for (int i = 0; i < length; ++i)
        separators += serverList[i] == '&' ? 1 : 0;
    return length > 0 && serverList[length - 1] == '&' ? separators : separators + 1;
}

} // namespace

CSessionData::CSessionData()
    : m_nAccountMode(-1)
{
    for (int i = 0; i < kServerTypeCount; ++i)
        m_nServerCount[i] = 0;
}

CSessionData::~CSessionData()
{
    ClearServers();
}

void CSessionData::SetPassword(const CString& password)
{
    CSingleLock lock(&m_mutex, TRUE);
    m_strPassword = password;
}

CString CSessionData::GetPassword()
{
    CSingleLock lock(&m_mutex, TRUE);
    return m_strPassword;
}

ServerRecord* CSessionData::FindServer(const CString& typeText, const CString& name)
{
    CSingleLock lock(&m_mutex, TRUE);
    const int type = atoi(typeText);
    // Proxy query servers (type 6) are never looked up by name.
    if (type < 1 || type > 5)
        return NULL;
    for (ServerRecord* record : m_vecServers[type - 1])
        if (record->GetTypeText() == typeText && record->GetName() == name)
            return record;
    return NULL;
}

const std::vector<ServerRecord*>& CSessionData::GetServers(int type) const
{
    static const std::vector<ServerRecord*> kNone;
    if (type < 1 || type > kServerTypeCount)
        return kNone;
    return m_vecServers[type - 1];
}

void CSessionData::ClearServers()
{
    for (std::vector<ServerRecord*>& list : m_vecServers)
    {
        for (ServerRecord* record : list)
            delete record;
        list.clear();
    }
}

bool CSessionData::UpdateServerCounts()
{
    bool anyServer = false;
    for (int i = 0; i < kServerTypeCount; ++i)
    {
        m_nServerCount[i] = (int)m_vecServers[i].size();
        anyServer = anyServer || m_nServerCount[i] > 0;
    }
    return anyServer;
}

void CSessionData::StoreReplyField(const CString& field)
{
    struct Key
    {
        const char* key;
        CString CSessionData::*target;
    };
    // Tested in this order; the first key found in the field wins.
    static const Key kKeys[] = {
        {"#mark:", &CSessionData::m_strMark},
        {"#code:", &CSessionData::m_strCode},
        {"#trademark:", &CSessionData::m_strTradeMark},
        {"#loginrange:", &CSessionData::m_strReplyLoginRange},
        {"#nikename:", &CSessionData::m_strNickName},
        {"#markserver:", &CSessionData::m_strServerListText},
    };
    const CString prefixed = "#" + field;
    for (const Key& entry : kKeys)
    {
        // The field holds no "#" of its own, so a key can only stand at its start: looking
        // there alone spares a walk through a long server list for every key it is not.
        const int keyLength = (int)strlen(entry.key);
        if (strncmp(prefixed, entry.key, (size_t)keyLength) == 0)
        {
            this->*entry.target = prefixed.Mid(keyLength);
            return;
        }
    }
}

int CSessionData::ParseLoginResult(const CString& reply, CString& errorText)
{
    // FindServer may run on a connection's thread meanwhile: never let it see a freed record.
    CSingleLock lock(&m_mutex, TRUE);
    ClearServers();
    UpdateServerCounts();

    if (reply.Find(kAcceptedStatus) < 0)
    {
        if (reply.Find(kRefusedStatus) >= 0)
        {
            errorText = "用户名或密码错误，请重新输入!";
            return kLoginRefused;
        }
        // Neither status: not an acceptance, whatever else the reply holds.
        errorText = kServerDataError;
        return kLoginBadReply;
    }

    // The fields lie between the first and the second "@".
    const int firstAt = reply.Find('@');
    const int secondAt = reply.Find('@', firstAt + 1);
    const CString body = secondAt < 0 ? reply.Mid(firstAt + 1) : reply.Mid(firstAt + 1, secondAt - firstAt - 1);
    CStringArray fields;
    SplitString(fields, body, "#", true, false);
    for (INT_PTR i = 1; i < fields.GetSize(); ++i)
        StoreReplyField(fields[i]);

    // Every server gets a connection and a login thread of its own.
    if (CountServerEntries(m_strServerListText) > kMaxServers)
    {
        errorText = kTooManyServers;
        return kLoginBadReply;
    }
    CStringArray entries;
    SplitString(entries, m_strServerListText, "&", true, false);
    std::set<std::string> placedNames[kServerTypeCount];
    for (INT_PTR i = 0; i < entries.GetSize(); ++i)
    {
        ServerRecord* record = new ServerRecord(entries[i]);
        if (record->GetName() == "HKS_P")
        {
            delete record;
            continue;
        }
        // The type is read once; the list, the duplicate check and everyone after see the
        // same digit ("1" and "1:" are one type).
        const int type = atoi(record->GetTypeText());
        USHORT port = 0;
        if (type < 1 || type > kServerTypeCount || !ParsePortText(record->GetPort(), port))
        {
            delete record;
            UpdateServerCounts(); // the servers placed before stay
            errorText = kServerDataError;
            return kLoginBadReply;
        }
        record->m_strFields[ServerRecord::kType].Format("%d", type);
        const CString& name = record->GetName();
        if (!placedNames[type - 1].insert(std::string((LPCSTR)name, (size_t)name.GetLength())).second)
        {
            delete record; // the first server of a name wins
            continue;
        }
        m_vecServers[type - 1].push_back(record);
    }

    if (!UpdateServerCounts())
    {
        errorText = "程序错误！";
        return kLoginBadReply;
    }
    errorText.Empty();
    return kLoginAccepted;
}

CSessionData& GetSessionData()
{
    static CSessionData sessionData;
    return sessionData;
}
