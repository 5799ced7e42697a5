#include "TextFolding.h"

#include <algorithm>

namespace tavo::docviewer {

namespace {

bool IsMark(QChar::Category Category)
{
    return Category == QChar::Mark_NonSpacing || Category == QChar::Mark_SpacingCombining ||
           Category == QChar::Mark_Enclosing;
}

// The code point at I, and how many units it takes; a lone surrogate stands for itself.
char32_t CodeAt(const QString& Text, int I, int* Units)
{
    const QChar c = Text.at(I);
    if (c.isHighSurrogate() && I + 1 < Text.size() && Text.at(I + 1).isLowSurrogate()) {
        *Units = 2;
        return QChar::surrogateToUcs4(c, Text.at(I + 1));
    }
    *Units = 1;
    return c.unicode();
}

}  // namespace

QString FoldText(const QString& Text)
{
    // Most words of a manual are plain ASCII: nothing to decompose.
    bool ascii = true;
    for (QChar c : Text)
        if (c.unicode() >= 0x80) {
            ascii = false;
            break;
        }
    if (ascii)
        return Text.toLower();
    const QString decomposed = Text.normalized(QString::NormalizationForm_KD);
    QString folded;
    folded.reserve(decomposed.size());
    for (int i = 0; i < decomposed.size();) {
        int units = 1;
        const char32_t code = CodeAt(decomposed, i, &units);
        if (!IsMark(QChar::category(code))) {
            if (code == U'ł' || code == U'Ł')
                folded.append(QLatin1Char('l'));
            else
                folded.append(QStringView(decomposed).mid(i, units));
        }
        i += units;
    }
    return folded.toCaseFolded();
}

bool IsWordChar(char32_t Code)
{
    switch (QChar::category(Code)) {
    case QChar::Letter_Uppercase:
    case QChar::Letter_Lowercase:
    case QChar::Letter_Titlecase:
    case QChar::Letter_Modifier:
    case QChar::Letter_Other:
    case QChar::Number_DecimalDigit:
    case QChar::Number_Letter:
    case QChar::Number_Other:
    case QChar::Other_PrivateUse:
    case QChar::Mark_NonSpacing:
    case QChar::Mark_SpacingCombining:
    case QChar::Mark_Enclosing:
        return true;
    default:
        return false;
    }
}

std::vector<TWordSpan> WordSpans(const QString& Text)
{
    std::vector<TWordSpan> spans;
    int start = -1;
    for (int i = 0; i < Text.size();) {
        int units = 1;
        const char32_t code = CodeAt(Text, i, &units);
        // A mark never starts a word: after a separator it is the separator's.
        const bool word = IsWordChar(code) && (start >= 0 || !IsMark(QChar::category(code)));
        if (word && start < 0)
            start = i;
        else if (!word && start >= 0) {
            spans.push_back({start, i});
            start = -1;
        }
        i += units;
    }
    if (start >= 0)
        spans.push_back({start, static_cast<int>(Text.size())});
    return spans;
}

std::vector<int> PiecesHolding(const std::vector<TTextPiece>& Pieces, const QStringList& Words)
{
    std::vector<int> held;
    QStringList wanted;
    for (const QString& word : Words)
        if (!word.isEmpty())
            wanted << word;
    if (wanted.isEmpty())
        return held;
    const int count = static_cast<int>(Pieces.size());
    for (int first = 0; first < count;) {
        // One run: pieces up to the next space, folded one by one (a mark at a piece's start
        // folds away alone as it would inside the word).
        QString run;
        std::vector<int> ends;
        int last = first;
        for (;; ++last) {
            run += FoldText(Pieces[static_cast<size_t>(last)].Text);
            ends.push_back(static_cast<int>(run.size()));
            if (Pieces[static_cast<size_t>(last)].SpaceAfter || last + 1 >= count)
                break;
        }
        std::vector<bool> hit(ends.size(), false);
        for (const QString& word : wanted) {
            for (qsizetype at = run.indexOf(word); at >= 0; at = run.indexOf(word, at + 1)) {
                const qsizetype end = at + word.size();
                int start = 0;
                for (size_t i = 0; i < ends.size(); ++i) {
                    if (start < end && ends[i] > at && ends[i] > start)
                        hit[i] = true;
                    start = ends[i];
                }
            }
        }
        for (size_t i = 0; i < hit.size(); ++i)
            if (hit[i])
                held.push_back(first + static_cast<int>(i));
        first = last + 1;
    }
    return held;
}

}  // namespace tavo::docviewer
