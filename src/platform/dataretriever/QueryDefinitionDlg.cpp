#include "QueryDefinitionDlg.h"

#include "SqlRetriever.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSqlDatabase>
#include <QTableWidget>
#include <memory>

namespace
{
const char* const FILE_DRIVER = "QSQLITE";

// The drivers offered, by the names authors know them by.
const struct
{
    const char* pszDriver;
    const char* pszName;
} DRIVERS[] = {{FILE_DRIVER, "SQLite"}, {"QPSQL", "PostgreSQL"}, {"QODBC", "ODBC"}};

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
    auto itDriver = mapPairs.find("driver");
    AddDrivers(itDriver == mapPairs.end() ? FILE_DRIVER : itDriver->second);
    m_pDatabase = Field(mapPairs, "database", this);
    m_pBrowse = new QPushButton("B&rowse...", this);
    m_pHost = Field(mapPairs, "host", this);
    m_pPort = Field(mapPairs, "port", this);
    m_pUser = Field(mapPairs, "user", this);
    m_pPassword = Field(mapPairs, "password", this);
    m_pPassword->setEchoMode(QLineEdit::Password);
    m_pQuery = new QPlainTextEdit(QString::fromStdString(strQuery), this);
    m_pQuery->setTabChangesFocus(true);
    m_pPreview = new QTableWidget(this);
    m_pPreview->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_pPreview->verticalHeader()->hide();
    m_pStatus = new QLabel(this);
    m_pStatus->setObjectName("status");
    m_pStatus->setWordWrap(true);
    m_pStatus->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* pButtons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    QPushButton* pTest = pButtons->addButton("&Test", QDialogButtonBox::ActionRole);
    connect(pTest, &QPushButton::clicked, this, [this] { Test(); });
    connect(pButtons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(pButtons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_pBrowse, &QPushButton::clicked, this, [this] { Browse(); });
    connect(m_pDriver, &QComboBox::currentIndexChanged, this, [this] { OnDriverChanged(); });

    auto* pDatabase = new QHBoxLayout;
    pDatabase->addWidget(m_pDatabase);
    pDatabase->addWidget(m_pBrowse);
    auto* pForm = new QFormLayout(this);
    pForm->addRow("&Driver:", m_pDriver);
    // A label before a layout names no field by itself.
    auto* pDatabaseLabel = new QLabel("Data&base:", this);
    pDatabaseLabel->setBuddy(m_pDatabase);
    pForm->addRow(pDatabaseLabel, pDatabase);
    pForm->addRow("&Server:", m_pHost);
    pForm->addRow("P&ort:", m_pPort);
    pForm->addRow("&User:", m_pUser);
    pForm->addRow("Pass&word:", m_pPassword);
    pForm->addRow("&Query:", m_pQuery);
    pForm->addRow("First rows:", m_pPreview);
    pForm->addRow(m_pStatus);
    pForm->addRow(pButtons);
    resize(560, 520);
    OnDriverChanged();
    (m_pDatabase->text().isEmpty() ? static_cast<QWidget*>(m_pDatabase) : m_pQuery)->setFocus();
}

// SQLite is always offered; the others where their drivers are installed,
// and whatever driver the connection names.
void CQueryDefinitionDlg::AddDrivers(const std::string& strCurrent)
{
    for (const auto& driver : DRIVERS)
        if (driver.pszDriver == std::string(FILE_DRIVER) || QSqlDatabase::isDriverAvailable(driver.pszDriver))
            m_pDriver->addItem(driver.pszName, QString(driver.pszDriver));
    QString strDriver = QString::fromStdString(strCurrent);
    int nIndex = m_pDriver->findData(strDriver);
    if (nIndex < 0)
    {
        m_pDriver->addItem(strDriver, strDriver);
        nIndex = m_pDriver->count() - 1;
    }
    m_pDriver->setCurrentIndex(nIndex);
}

bool CQueryDefinitionDlg::IsFileDriver() const
{
    return m_pDriver->currentData().toString() == FILE_DRIVER;
}

void CQueryDefinitionDlg::OnDriverChanged()
{
    bool bFile = IsFileDriver();
    m_pBrowse->setEnabled(bFile);
    for (QLineEdit* pEdit : {m_pHost, m_pPort, m_pUser, m_pPassword})
        pEdit->setEnabled(!bFile);
}

void CQueryDefinitionDlg::Browse()
{
    QString strFile = QFileDialog::getOpenFileName(this, "Database File", m_pDatabase->text(),
                                                   "SQLite databases (*.db *.sqlite *.sqlite3);;All files (*)");
    if (!strFile.isEmpty())
        m_pDatabase->setText(strFile);
}

std::string CQueryDefinitionDlg::GetConnection() const
{
    auto pair = [](const char* pszKey, const QLineEdit* pEdit)
    {
        return pEdit->text().isEmpty() || !pEdit->isEnabled()
                   ? std::string()
                   : std::string(pszKey) + "=" + pEdit->text().toStdString() + ";";
    };
    return "driver=" + m_pDriver->currentData().toString().toStdString() + ";" + pair("database", m_pDatabase) +
           pair("host", m_pHost) + pair("port", m_pPort) + pair("user", m_pUser) + pair("password", m_pPassword);
}

std::string CQueryDefinitionDlg::GetQuery() const
{
    return m_pQuery->toPlainText().toStdString();
}

void CQueryDefinitionDlg::ShowError(const QString& strText)
{
    m_pPreview->clear();
    m_pPreview->setRowCount(0);
    m_pPreview->setColumnCount(0);
    m_pStatus->setText(strText);
}

bool CQueryDefinitionDlg::Test()
{
    CSqlRetriever retriever;
    IDrResult* pRawResult = nullptr;
    if (retriever.ExecuteQuery(GetConnection(), GetQuery(), 1, &pRawResult) != DR_S_OK)
    {
        ShowError("The query failed: " + QString::fromStdString(DrGetLastErrorText()));
        return false;
    }
    std::unique_ptr<IDrResult> pResult(pRawResult);
    IDrRecordset* pRecords = pResult->GetRecordset();
    if (!pRecords)
    {
        ShowError("The query ran but returns no rows to import.");
        return false;
    }
    ShowError(QString());
    int nFields = pRecords->GetFieldCount();
    m_pPreview->setColumnCount(nFields);
    for (int f = 0; f < nFields; ++f)
        m_pPreview->setHorizontalHeaderItem(f, new QTableWidgetItem(QString::fromStdString(pRecords->GetFieldName(f))));
    int nRow = 0;
    for (; !pRecords->IsEOF() && nRow < PREVIEW_ROWS; pRecords->MoveNext(), ++nRow)
    {
        m_pPreview->insertRow(nRow);
        for (int f = 0; f < nFields; ++f)
        {
            std::string strValue;
            bool bValue = pRecords->GetFieldValue(f, strValue);
            m_pPreview->setItem(nRow, f, new QTableWidgetItem(bValue ? QString::fromStdString(strValue) : "(null)"));
        }
    }
    bool bMore = !pRecords->IsEOF();
    m_pStatus->setText(nRow == 0 ? "The query returns no rows."
                       : bMore   ? QString("The first %1 rows; the query returns more.").arg(nRow)
                                 : QString("The query returns %1 row(s).").arg(nRow));
    return true;
}
