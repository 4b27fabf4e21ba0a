#include "limitedtextedit.h"

#include <QMimeData>
#include <QTextBlock>
#include <QTextCursor>

LimitedTextEdit::LimitedTextEdit(int limit, QWidget *parent)
    : QPlainTextEdit(parent), m_limit(limit)
{
    connect(this, &QPlainTextEdit::textChanged, this, &LimitedTextEdit::cutBeyondLimit);
}

qsizetype LimitedTextEdit::length() const
{
    // The document counts the paragraph separator after its last line too.
    return document()->characterCount() - 1;
}

void LimitedTextEdit::insertFromMimeData(const QMimeData *source)
{
    QString text = source->text();
    const qsizetype room = m_limit - (length() - textCursor().selectedText().size());
    if (text.size() <= room) {
        QPlainTextEdit::insertFromMimeData(source);
        return;
    }
    qsizetype kept = std::max<qsizetype>(room, 0);
    if (kept > 0 && text.at(kept - 1).isHighSurrogate())
        --kept;
    text.truncate(kept);
    textCursor().insertText(text);
    ensureCursorVisible();
    emit textCut();
}

void LimitedTextEdit::cutBeyondLimit()
{
    if (length() <= m_limit)
        return;
    QTextCursor beyond(document());
    beyond.setPosition(m_limit);
    beyond.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
    beyond.removeSelectedText();
    emit textCut();
}
