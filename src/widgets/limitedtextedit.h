#pragma once

#include <QPlainTextEdit>

// A plain-text field that holds at most a given number of characters. Pasted and dropped text is
// cut before it goes in: laying out a line of a million characters would hold the program up for
// minutes. Text that grows past the limit any other way (typing) loses what lies beyond it at
// once. Every cut is reported.
class LimitedTextEdit : public QPlainTextEdit
{
    Q_OBJECT
public:
    LimitedTextEdit(int limit, QWidget *parent = nullptr);

signals:
    void textCut();

protected:
    void insertFromMimeData(const QMimeData *source) override;

private:
    void cutBeyondLimit();
    qsizetype length() const;

    int m_limit;
};
