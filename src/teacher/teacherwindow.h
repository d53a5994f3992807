#pragma once

#include "store/classresults.h"
#include "store/storeconfig.h"

#include <QHash>
#include <QMainWindow>
#include <QStringList>

#include <atomic>
#include <functional>
#include <memory>

class ClassChart;
class ClassFilterProxy;
class ClassTableModel;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTabWidget;
class QTableView;
class QThread;
class QTreeWidget;

// kvizmat-vysledky: the teacher's window over a school database. The class table with filters and a
// period, a pupil's history, the chart of a class, reports e-mailed by pupils imported from files,
// pupils from CSV, and the table exported for a spreadsheet. All database work and reading of files
// runs on a thread of its own with its own connection, one piece after another, with progress and a
// Cancel button, so the window never stops answering.
class TeacherWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit TeacherWindow(QWidget* parent = nullptr);
    ~TeacherWindow() override;

    // The files given when the program starts (the desktop's "open with"): a database file or
    // address is opened, every other file is imported into the open database. Without a database
    // among them the remembered one, else the one kvizmat.conf names.
    void openStartup(const QStringList& arguments);
    // The teacher's last database, or an SQLite file named by kvizmat.conf (or the built-in default
    // file); never the pupils' server login.
    void openConfigured();
    // A server without a password gets the one the keyring keeps. A database read is remembered for
    // the next start (without its password); `keepPassword` also puts a password the server took into
    // the keyring.
    void openDatabase(const StoreConfig& config, bool keepPassword = false);
    // Reads the table again in the background; loadFinished tells how it went.
    void reload();

    // Imports the reports in these files, one after another.
    void importFiles(const QStringList& paths);
    // Whether database work or an import is running or waiting.
    bool busy() const { return jobThread != nullptr || !jobs.isEmpty() || !abandoned.isEmpty(); }
    bool importing() const { return busy(); }
    // Stops the running work: an import stops before its next block (a block is written whole or
    // not at all); the table keeps its last state.
    void cancelWork();

    // One line per import outcome: the file, the message or block, the outcome. The outcome column
    // holds ImportOutcome::Kind as an int in Qt::UserRole (-1 for a line about a whole file, -2 for
    // the summary) and true in Qt::UserRole + 1 for a pupil missing from the class list.
    QTreeWidget* importLog() const { return log; }
    QString status() const;
    const QList<ClassResults::Pupil>& pupils() const { return data; }
    ClassResults::Period period() const;

signals:
    void importsFinished();
    void loadFinished(bool ok);

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    struct JobState;
    struct Job {
        QString label;
        // On the worker thread, with the state's cancel flag and progress.
        std::function<void(JobState&)> work;
        // On the window's thread when the work ended without being cancelled.
        std::function<void()> done;
    };

    void runJob(Job job);
    void startNextJob();
    void jobProgress(int done, int total, const QString& text);
    void lockWait(bool waiting);

    void chooseDatabaseFile();
    void typeServerAddress();
    void chooseReportFiles();
    void importPupils();
    void exportTable();
    void saveChart();
    void printReport();
    void renamePupil();
    void renameClass();
    void undoChange();
    void savePdf();
    void classChosen();
    void periodChosen();
    void updateChart();
    void openHistory(const QModelIndex& index);
    void setStatus(const QString& text, bool problem);
    // Reads the table again and then says this after the count of pupils.
    void reloadThenSay(const QString& text, bool problem);
    void addLogLine(const QString& file, const QString& what, const QString& outcome, int kind, bool notListed = false);
    void remember();
    QList<ClassResults::Pupil> shownPupils() const;
    std::optional<QString> chosenClass() const;

    StoreConfig config;
    bool haveDatabase = false;
    QList<ClassResults::Pupil> data;
    ClassResults::Period loadedPeriod;
    QString sayAfterLoad;
    bool sayAsProblem = false;
    bool keepPasswordAfterLoad = false;
    // The chart's days of the classes shown since the last reading of the table.
    QHash<QString, QList<ClassResults::Day>> daysOfClass;

    QLabel* databaseLabel;
    QLabel* statusLabel;
    QComboBox* classBox;
    QLineEdit* searchEdit;
    QComboBox* periodBox;
    QDateEdit* fromEdit;
    QDateEdit* toEdit;
    QTabWidget* tabs;
    QTableView* table;
    ClassTableModel* model;
    ClassFilterProxy* proxy;
    ClassChart* chart;
    QTreeWidget* log;
    QWidget* busyBox;
    QLabel* busyLabel;
    QProgressBar* progress;
    QPushButton* cancelButton;

    QList<Job> jobs;
    QThread* jobThread = nullptr;
    std::shared_ptr<JobState> jobState;
    // Cancelled work still finishing its last statement; waited for before the window goes.
    QList<QThread*> abandoned;
};
