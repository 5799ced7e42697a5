// The Polish translation file against the sources: every numbered string is there under its
// number with the table's English text, and no translation loses or reorders a placeholder
// or a line break (a lost %s shifts every later argument of the message).
#include <QFile>
#include <QRegularExpression>
#include <QXmlStreamReader>
#include <gtest/gtest.h>
#include <map>

#include "platform/AnsiText.h"
#include "platform/StringTable.h"

namespace {

struct TMessage {
    QString Context;
    QString Source;
    QString Comment;
    QStringList Translations;  // one, or the plural forms
    bool Finished = true;
};

std::vector<TMessage> ReadTs(const QString& Path)
{
    std::vector<TMessage> messages;
    QFile file(Path);
    if (!file.open(QIODevice::ReadOnly))
        return messages;
    QXmlStreamReader xml(&file);
    QString context;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == u"name") {
            context = xml.readElementText();
        } else if (xml.name() == u"message") {
            TMessage m;
            m.Context = context;
            while (xml.readNextStartElement()) {
                if (xml.name() == u"source") {
                    m.Source = xml.readElementText();
                } else if (xml.name() == u"comment") {
                    m.Comment = xml.readElementText();
                } else if (xml.name() == u"translation") {
                    m.Finished = xml.attributes().value(QLatin1String("type")).isEmpty();
                    // Either text or <numerusform> children.
                    QString text;
                    while (!xml.atEnd()) {
                        xml.readNext();
                        if (xml.isCharacters())
                            text += xml.text();
                        else if (xml.isStartElement() && xml.name() == u"numerusform")
                            m.Translations << xml.readElementText();
                        else if (xml.isEndElement() && xml.name() == u"translation")
                            break;
                    }
                    if (m.Translations.isEmpty())
                        m.Translations << text;
                } else {
                    xml.skipCurrentElement();
                }
            }
            messages.push_back(m);
        }
    }
    EXPECT_FALSE(xml.hasError()) << qPrintable(xml.errorString());
    return messages;
}

// The format placeholders in order: the table's %s/%d/%g (any case) and %%, Qt's %1..%99
// and %n (sorted: Qt's may move), and the line breaks.
QStringList Placeholders(const QString& Text, bool Numbered)
{
    static const QRegularExpression numbered(QStringLiteral("%[%sdgSDG]|\n"));
    static const QRegularExpression qt(QStringLiteral("%(\\d+|n)|\n"));
    QStringList found;
    auto it = (Numbered ? numbered : qt).globalMatch(Text);
    while (it.hasNext())
        found << it.next().captured(0).toLower();
    if (!Numbered)
        found.sort();
    return found;
}

const std::vector<TMessage>& PolishMessages()
{
    static const std::vector<TMessage> messages =
        ReadTs(QStringLiteral(TRANSLATION_SOURCES "/tavo_pl.ts"));
    return messages;
}

}  // namespace

TEST(PolishFile, EveryTranslationKeepsItsPlaceholders)
{
    ASSERT_GT(PolishMessages().size(), 200u);
    for (const TMessage& m : PolishMessages()) {
        const bool numbered = m.Context == u"StringTable";
        for (const QString& t : m.Translations) {
            if (!m.Finished || t.isEmpty())
                continue;  // the gate reports these
            EXPECT_EQ(Placeholders(t, numbered), Placeholders(m.Source, numbered))
                << qPrintable(m.Context) << " " << qPrintable(m.Comment) << ": "
                << qPrintable(m.Source) << " -> " << qPrintable(t);
        }
    }
}

TEST(PolishFile, HoldsTheNumberedTableUnderItsNumbers)
{
    std::map<int, const TMessage*> byNumber;
    for (const TMessage& m : PolishMessages()) {
        if (m.Context != u"StringTable")
            continue;
        bool ok = false;
        const int number = m.Comment.toInt(&ok);
        ASSERT_TRUE(ok) << qPrintable(m.Source);
        EXPECT_TRUE(byNumber.emplace(number, &m).second) << number;
        EXPECT_TRUE(tavo::platform::StringExists(number)) << number << " is not in the table";
    }
    // Every string the table has is translated, with the table's own English text.
    int present = 0;
    for (int id = 0; id < 70000; ++id) {
        if (!tavo::platform::StringExists(id))
            continue;
        ++present;
        const auto it = byNumber.find(id);
        ASSERT_NE(it, byNumber.end()) << "string " << id << " has no Polish entry";
        EXPECT_EQ(it->second->Source, tavo::platform::FromAnsi(tavo::platform::LoadStr(id))) << id;
        EXPECT_TRUE(it->second->Finished) << id;
    }
    EXPECT_EQ(present, static_cast<int>(byNumber.size()));
}
