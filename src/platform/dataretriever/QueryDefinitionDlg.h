#pragma once

#include <QDialog>
#include <string>

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTableWidget;

// The author's query: the database (SQLite, or PostgreSQL and ODBC where
// their drivers are installed; a file, or server, port, database, user and
// password) and the query text, with a Test that shows the first rows the
// query returns before anything is imported.
class CQueryDefinitionDlg : public QDialog
{
public:
    CQueryDefinitionDlg(const std::string& strConnection, const std::string& strQuery, QWidget* pParent = nullptr);

    std::string GetConnection() const;
    std::string GetQuery() const;

    // Runs the query and shows its first rows, or why it failed; true when it ran.
    bool Test();

    static const int PREVIEW_ROWS = 10;

private:
    void AddDrivers(const std::string& strCurrent);
    // A file needs no server, port, user or password; a server no file to browse.
    void OnDriverChanged();
    void Browse();
    bool IsFileDriver() const;
    void ShowError(const QString& strText);

    QComboBox* m_pDriver;
    QLineEdit* m_pDatabase;
    QPushButton* m_pBrowse;
    QLineEdit* m_pHost;
    QLineEdit* m_pPort;
    QLineEdit* m_pUser;
    QLineEdit* m_pPassword;
    QPlainTextEdit* m_pQuery;
    QTableWidget* m_pPreview;
    QLabel* m_pStatus;
};
