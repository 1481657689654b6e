#pragma once

// What the user may type into an edit control: digits only for ES_NUMBER,
// and no more than the limit. Longer text set by the program stays whole,
// and the user may still shorten it.

#include <QLineEdit>
#include <QValidator>

class CEditValidator : public QValidator
{
    Q_OBJECT

public:
    CEditValidator(QLineEdit* pEdit, bool bDigitsOnly);

    void SetLimit(int nLimit) { m_nLimit = nLimit; }
    int GetLimit() const { return m_nLimit; }
    State validate(QString& input, int& pos) const override;

private:
    // The text before the edit being validated (the edit already holds the new one).
    QString m_strPrevious;
    bool m_bDigitsOnly;
    int m_nLimit = 30000;
};
