#pragma once

#include "core/mailreport.h"
#include "store/classresults.h"
#include "store/storeconfig.h"

#include <QHash>
#include <QMainWindow>
#include <QStringList>

#include <atomic>

class ClassChart;
class ClassFilterProxy;
class ClassTableModel;
class QComboBox;
class QLabel;
class QLineEdit;
class QTableView;
class QThread;
class QTreeWidget;

// kvizmat-vysledky: the teacher's window over a school database. The class table with filters,
// the chart of a class, reports e-mailed by pupils imported by dropping files, pupils from CSV,
// and the table exported for a spreadsheet. Every action opens the database for itself, so a
// database that fails meanwhile only costs that action a message.
class TeacherWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit TeacherWindow(QWidget* parent = nullptr);
    ~TeacherWindow() override;

    // The teacher's last database, or an SQLite file named by kvizmat.conf (or the built-in default
    // file); never the pupils' server login.
    void openConfigured();
    // A server without a password gets the one the keyring keeps. A database read is remembered for
    // the next start (without its password). False when it could not be read.
    bool openDatabase(const StoreConfig& config);
    // Reads the table again; false when the database failed (the last table stays shown).
    bool reload();

    // Imports the reports in these files, one after another, reading each file in the background.
    void importFiles(const QStringList& paths);
    bool importing() const { return worker != nullptr || !pending.isEmpty(); }

    // One line per import outcome: the file, the message or block, the outcome. The outcome column
    // holds ImportOutcome::Kind as an int in Qt::UserRole (-1 for a line about a whole file).
    QTreeWidget* importLog() const { return log; }
    QString status() const;
    const QList<ClassResults::Pupil>& pupils() const { return data; }

signals:
    void importsFinished();

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void chooseDatabaseFile();
    void typeServerAddress();
    void chooseReportFiles();
    void importPupils();
    void exportTable();
    void saveChart();
    void classChosen();
    void updateChart();
    void setStatus(const QString& text, bool problem);
    void startNextFile();
    void fileRead();
    void addLogLine(const QString& file, const QString& what, const QString& outcome, int kind);

    StoreConfig config;
    bool haveDatabase = false;
    QList<ClassResults::Pupil> data;
    // The chart's days of the classes shown since the last reading of the table.
    QHash<QString, QList<ClassResults::Day>> daysOfClass;

    QLabel* databaseLabel;
    QLabel* statusLabel;
    QComboBox* classBox;
    QLineEdit* searchEdit;
    QTableView* table;
    ClassTableModel* model;
    ClassFilterProxy* proxy;
    ClassChart* chart;
    QTreeWidget* log;

    QStringList pending;
    QString currentFile;
    QThread* worker = nullptr;
    MailReport::Result extracted;
    std::atomic<bool> cancel{false};
    bool importedSome = false;
};
