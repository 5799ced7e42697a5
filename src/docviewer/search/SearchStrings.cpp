#include "SearchStrings.h"

#include "platform/AnsiText.h"
#include "platform/StringTable.h"

namespace tavo::docviewer {

QString SearchText(int32_t Id, const QStringList& Args)
{
    // Arguments are file names and counts: they are put in as they are, never read as
    // placeholders themselves.
    const QString pattern = platform::FromAnsi(platform::LoadStr(Id));
    QString text;
    qsizetype next = 0;
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern.at(i);
        if (c == u'%' && i + 1 < pattern.size()) {
            const QChar type = pattern.at(i + 1).toLower();
            if (type == u's' || type == u'd') {
                if (next < Args.size())
                    text += Args.at(next);
                ++next;
                ++i;
                continue;
            }
            if (type == u'%') {
                text += u'%';
                ++i;
                continue;
            }
        }
        text += c;
    }
    return text;
}

}  // namespace tavo::docviewer
