#include "SearchStrings.h"

#include <QCoreApplication>
#include <iterator>

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

namespace {

constexpr const char* kCountContext = "tavo::docviewer::CountText";

struct TCountForms {
    const char* Source;  // Qt's numerus text, for translations
    int32_t One;         // the string table's English forms
    int32_t Many;
};

constexpr TCountForms CountForms[] = {
    {QT_TRANSLATE_N_NOOP("tavo::docviewer::CountText", "%n result(s)"), SOneResult, SResults},
    {QT_TRANSLATE_N_NOOP("tavo::docviewer::CountText", "%n page(s)"), SOnePage, SPages},
    {QT_TRANSLATE_N_NOOP("tavo::docviewer::CountText", "%n document(s)"), SOneDocument, SDocuments},
    {QT_TRANSLATE_N_NOOP("tavo::docviewer::CountText", "%n document(s) could not be searched"),
     SOneNotSearched, SNotSearched},
};

}  // namespace

QString CountText(TCounted What, int N)
{
    if (What < 0 || What >= static_cast<int>(std::size(CountForms)))
        return QString::number(N);
    const TCountForms& forms = CountForms[What];
    const QString number = QString::number(N);
    const QString translated = QCoreApplication::translate(kCountContext, forms.Source, nullptr, N);
    if (translated != QString::fromLatin1(forms.Source).replace(QLatin1String("%n"), number))
        return translated;
    return SearchText(N == 1 ? forms.One : forms.Many, {number});
}

}  // namespace tavo::docviewer
