#include "QueryDefinitionDlg.h"

#include "SqlRetriever.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSqlDatabase>

namespace
{
QLineEdit* Field(const std::map<std::string, std::string>& mapPairs, const char* pszKey, QWidget* pParent)
{
    auto it = mapPairs.find(pszKey);
    return new QLineEdit(it == mapPairs.end() ? QString() : QString::fromStdString(it->second), pParent);
}
} // namespace

CQueryDefinitionDlg::CQueryDefinitionDlg(const std::string& strConnection, const std::string& strQuery,
                                         QWidget* pParent)
    : QDialog(pParent)
{
    setWindowTitle("Database Query");
    std::map<std::string, std::string> mapPairs = CSqlRetriever::ParseConnection(strConnection);
    m_pDriver = new QComboBox(this);
    m_pDriver->addItems(QSqlDatabase::drivers());
    auto itDriver = mapPairs.find("driver");
    if (itDriver != mapPairs.end())
        m_pDriver->setCurrentText(QString::fromStdString(itDriver->second));
    m_pDatabase = Field(mapPairs, "database", this);
    m_pHost = Field(mapPairs, "host", this);
    m_pPort = Field(mapPairs, "port", this);
    m_pUser = Field(mapPairs, "user", this);
    m_pPassword = Field(mapPairs, "password", this);
    m_pPassword->setEchoMode(QLineEdit::Password);
    m_pQuery = new QPlainTextEdit(QString::fromStdString(strQuery), this);
    auto* pButtons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(pButtons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(pButtons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* pForm = new QFormLayout(this);
    pForm->addRow("&Driver:", m_pDriver);
    pForm->addRow("Data&base:", m_pDatabase);
    pForm->addRow("&Server:", m_pHost);
    pForm->addRow("P&ort:", m_pPort);
    pForm->addRow("&User:", m_pUser);
    pForm->addRow("Pass&word:", m_pPassword);
    pForm->addRow("&Query:", m_pQuery);
    pForm->addRow(pButtons);
}

std::string CQueryDefinitionDlg::GetConnection() const
{
    auto pair = [](const char* pszKey, const QLineEdit* pEdit)
    { return pEdit->text().isEmpty() ? std::string() : std::string(pszKey) + "=" + pEdit->text().toStdString() + ";"; };
    return "driver=" + m_pDriver->currentText().toStdString() + ";" + pair("database", m_pDatabase) +
           pair("host", m_pHost) + pair("port", m_pPort) + pair("user", m_pUser) + pair("password", m_pPassword);
}

std::string CQueryDefinitionDlg::GetQuery() const
{
    return m_pQuery->toPlainText().toStdString();
}
