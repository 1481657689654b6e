#include "EditValidator.h"

CEditValidator::CEditValidator(QLineEdit* pEdit, bool bDigitsOnly)
    : QValidator(pEdit), m_strPrevious(pEdit->text()), m_bDigitsOnly(bDigitsOnly)
{
    connect(pEdit, &QLineEdit::textChanged, this, [this](const QString& text) { m_strPrevious = text; });
}

QValidator::State CEditValidator::validate(QString& input, int&) const
{
    if (m_nLimit > 0 && input.size() > m_nLimit && input.size() > m_strPrevious.size())
        return Invalid;
    if (m_bDigitsOnly)
        for (QChar c : input)
            if (!c.isDigit() && !m_strPrevious.contains(c))
                return Invalid;
    return Acceptable;
}
