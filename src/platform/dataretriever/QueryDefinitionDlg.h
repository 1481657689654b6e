#pragma once

#include <QDialog>
#include <string>

class QComboBox;
class QLineEdit;
class QPlainTextEdit;

// The author's query: the database (driver, name or file, server, port,
// user, password) and the query text.
class CQueryDefinitionDlg : public QDialog
{
public:
    CQueryDefinitionDlg(const std::string& strConnection, const std::string& strQuery, QWidget* pParent = nullptr);

    std::string GetConnection() const;
    std::string GetQuery() const;

private:
    QComboBox* m_pDriver;
    QLineEdit* m_pDatabase;
    QLineEdit* m_pHost;
    QLineEdit* m_pPort;
    QLineEdit* m_pUser;
    QLineEdit* m_pPassword;
    QPlainTextEdit* m_pQuery;
};
