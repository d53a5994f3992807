#include "teacher/teacherwindow.h"

#include "core/mailreport.h"
#include "core/report.h"
#include "core/textinput.h"
#include "store/databaseconnection.h"
#include "store/waitindicator.h"
#include "store/pupilimport.h"
#include "store/pupilrenaming.h"
#include "store/reportimport.h"
#include "teacher/classchart.h"
#include "teacher/classfilterproxy.h"
#include "teacher/classreport.h"
#include "teacher/classtablemodel.h"
#include "teacher/pupilhistory.h"
#include "teacher/serverlogindialog.h"
#include "teacher/teachercredentials.h"
#include "teacher/teachersystem.h"

#include <QAccessible>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QDragEnterEvent>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QProgressBar>
#include <QPushButton>
#include <QSaveFile>
#include <QSet>
#include <QSettings>
#include <QShortcut>
#include <QTabWidget>
#include <QTableView>
#include <QThread>
#include <QTreeWidget>
#include <QUrl>
#include <QVBoxLayout>
#include <utility>

struct TeacherWindow::JobState {
    StoreConfig config;
    std::atomic<bool> cancelled{false};
    // Runs on the window's thread.
    std::function<void(std::function<void()>)> post;
    // Shown while this is still the running work (a cancelled one finishing says nothing).
    std::function<void(int done, int total, const QString& text)> progress;
};

namespace {

const QString windowCaption = QStringLiteral("Kvizmat – výsledky třídy");

QPushButton* button(const QString& caption, const QString& name, const QString& accessibleName)
{
    auto* b = new QPushButton(caption);
    b->setObjectName(name);
    b->setAccessibleName(accessibleName);
    return b;
}

using ClassResults::shownClass;

// A database file by its first bytes, so that a mail called "x.db" is still imported.
bool isDatabaseFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && file.read(16) == QByteArray("SQLite format 3\0", 16);
}

struct ImportCounts {
    int imported = 0;
    int already = 0;
    int refused = 0;
    int notListed = 0;
};

} // namespace

TeacherWindow::TeacherWindow(QWidget* parent)
    : QMainWindow(parent), databaseLabel(new QLabel), statusLabel(new QLabel), classBox(new QComboBox),
      searchEdit(new QLineEdit), periodBox(new QComboBox), fromEdit(new QDateEdit), toEdit(new QDateEdit),
      tabs(new QTabWidget), table(new QTableView), model(new ClassTableModel(this)), proxy(new ClassFilterProxy(this)),
      chart(new ClassChart), log(new QTreeWidget), busyBox(new QWidget), busyLabel(new QLabel),
      progress(new QProgressBar), cancelButton(new QPushButton(QStringLiteral("Zrušit")))
{
    setObjectName(QStringLiteral("Vysledky"));
    setWindowTitle(windowCaption);
    setAcceptDrops(true);

    databaseLabel->setObjectName(QStringLiteral("databaze"));
    databaseLabel->setTextFormat(Qt::PlainText);
    databaseLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    statusLabel->setObjectName(QStringLiteral("stav"));
    statusLabel->setTextFormat(Qt::PlainText);
    statusLabel->setWordWrap(true);
    statusLabel->setAccessibleName(QStringLiteral("Stav"));

    QPushButton* openFile = button(QStringLiteral("&Otevřít soubor…"), QStringLiteral("otevritSoubor"),
                                   QStringLiteral("Otevřít soubor školní databáze"));
    QPushButton* openServer = button(QStringLiteral("&Adresa serveru…"), QStringLiteral("adresaServeru"),
                                     QStringLiteral("Zadat adresu databázového serveru PostgreSQL"));
    QPushButton* refresh =
        button(QStringLiteral("O&bnovit"), QStringLiteral("obnovit"), QStringLiteral("Znovu načíst výsledky"));
    refresh->setToolTip(QStringLiteral("F5"));
    auto* databaseRow = new QHBoxLayout;
    databaseRow->addWidget(new QLabel(QStringLiteral("Databáze:")));
    databaseRow->addWidget(databaseLabel, 1);
    databaseRow->addWidget(openFile);
    databaseRow->addWidget(openServer);
    databaseRow->addWidget(refresh);

    classBox->setObjectName(QStringLiteral("trida"));
    classBox->setAccessibleName(QStringLiteral("Třída"));
    searchEdit->setObjectName(QStringLiteral("hledat"));
    searchEdit->setAccessibleName(QStringLiteral("Hledat příjmení"));
    searchEdit->setClearButtonEnabled(true);
    auto* classLabel = new QLabel(QStringLiteral("&Třída:"));
    classLabel->setBuddy(classBox);
    auto* searchLabel = new QLabel(QStringLiteral("&Hledat příjmení:"));
    searchLabel->setBuddy(searchEdit);
    periodBox->setObjectName(QStringLiteral("obdobi"));
    periodBox->setAccessibleName(QStringLiteral("Období"));
    using Kind = ClassResults::Period::Kind;
    periodBox->addItem(QStringLiteral("celé období"), int(Kind::All));
    periodBox->addItem(QStringLiteral("tento týden"), int(Kind::Week));
    periodBox->addItem(QStringLiteral("tento měsíc"), int(Kind::Month));
    periodBox->addItem(QStringLiteral("pololetí"), int(Kind::HalfYear));
    periodBox->addItem(QStringLiteral("školní rok"), int(Kind::SchoolYear));
    periodBox->addItem(QStringLiteral("zvolené dny"), int(Kind::Chosen));
    auto* periodLabel = new QLabel(QStringLiteral("&Období:"));
    periodLabel->setBuddy(periodBox);
    for (QDateEdit* edit : {fromEdit, toEdit}) {
        edit->setCalendarPopup(true);
        edit->setDisplayFormat(QStringLiteral("d. M. yyyy"));
        edit->setDate(TeacherSystem::today());
        edit->setEnabled(false);
    }
    fromEdit->setObjectName(QStringLiteral("od"));
    fromEdit->setAccessibleName(QStringLiteral("Období od"));
    toEdit->setObjectName(QStringLiteral("do"));
    toEdit->setAccessibleName(QStringLiteral("Období do"));
    auto* fromLabel = new QLabel(QStringLiteral("o&d"));
    fromLabel->setBuddy(fromEdit);
    auto* toLabel = new QLabel(QStringLiteral("d&o"));
    toLabel->setBuddy(toEdit);
    QPushButton* exportButton = button(QStringLiteral("&Export do CSV…"), QStringLiteral("exportCsv"),
                                       QStringLiteral("Uložit tabulku jako CSV pro tabulkový procesor"));
    QPushButton* printButton =
        button(QStringLiteral("Tis&k…"), QStringLiteral("tisk"), QStringLiteral("Vytisknout přehled třídy s náhledem"));
    QPushButton* pdfButton =
        button(QStringLiteral("&PDF…"), QStringLiteral("pdf"), QStringLiteral("Uložit přehled třídy jako PDF"));
    QPushButton* renamePupilButton =
        button(QStringLiteral("Přejm&enovat nebo sloučit žáka…"), QStringLiteral("prejmenovatZaka"),
               QStringLiteral("Přejmenovat vybraného žáka, sloučit ho s jiným nebo přiřadit žákovi ze seznamu třídy"));
    QPushButton* renameClassButton = button(QStringLiteral("Přejmenovat tř&ídu…"), QStringLiteral("prejmenovatTridu"),
                                            QStringLiteral("Přejmenovat vybranou třídu"));
    QPushButton* undoButton = button(QStringLiteral("&Vrátit změnu"), QStringLiteral("vratitZmenu"),
                                     QStringLiteral("Vrátit poslední přejmenování nebo sloučení"));
    // Sorting from the keyboard, in step with the header.
    auto* sortBox = new QComboBox;
    sortBox->setObjectName(QStringLiteral("raditPodle"));
    sortBox->setAccessibleName(QStringLiteral("Řadit podle sloupce"));
    for (int c = 0; c < model->columnCount(); ++c)
        sortBox->addItem(model->headerData(c, Qt::Horizontal).toString());
    auto* sortLabel = new QLabel(QStringLiteral("Řa&dit podle:"));
    sortLabel->setBuddy(sortBox);
    auto* descending = new QCheckBox(QStringLiteral("&sestupně"));
    descending->setObjectName(QStringLiteral("sestupne"));
    descending->setAccessibleName(QStringLiteral("Řadit sestupně"));
    auto* filterRow = new QHBoxLayout;
    filterRow->addWidget(classLabel);
    filterRow->addWidget(classBox);
    filterRow->addWidget(periodLabel);
    filterRow->addWidget(periodBox);
    filterRow->addWidget(fromLabel);
    filterRow->addWidget(fromEdit);
    filterRow->addWidget(toLabel);
    filterRow->addWidget(toEdit);
    filterRow->addWidget(searchLabel);
    filterRow->addWidget(searchEdit, 1);
    auto* actionRow = new QHBoxLayout;
    actionRow->addWidget(sortLabel);
    actionRow->addWidget(sortBox);
    actionRow->addWidget(descending);
    actionRow->addStretch();
    actionRow->addWidget(renamePupilButton);
    actionRow->addWidget(renameClassButton);
    actionRow->addWidget(undoButton);
    actionRow->addWidget(exportButton);
    actionRow->addWidget(printButton);
    actionRow->addWidget(pdfButton);

    proxy->setSourceModel(model);
    table->setObjectName(QStringLiteral("tabulka"));
    table->setAccessibleName(QStringLiteral("Výsledky žáků (Enter otevře historii žáka)"));
    table->setModel(proxy);
    table->setSortingEnabled(true);
    table->sortByColumn(ClassTableModel::SurnameColumn, Qt::AscendingOrder);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setTabKeyNavigation(false);
    table->verticalHeader()->hide();
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 8);
    // Columns fit the first rows only: measuring a school of 100 000 pupils would stop the window.
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table->horizontalHeader()->setResizeContentsPrecision(200);
    table->horizontalHeader()->setStretchLastSection(true);

    QPushButton* saveChartButton = button(QStringLiteral("Uložit &graf jako PNG…"), QStringLiteral("ulozitGraf"),
                                          QStringLiteral("Uložit graf třídy jako obrázek PNG"));
    auto* chartBox = new QWidget;
    auto* chartLayout = new QVBoxLayout(chartBox);
    chart->setObjectName(QStringLiteral("graf"));
    chartLayout->addWidget(chart, 1);
    auto* chartButtons = new QHBoxLayout;
    chartButtons->addStretch();
    chartButtons->addWidget(saveChartButton);
    chartLayout->addLayout(chartButtons);

    auto* importBox = new QWidget;
    QPushButton* chooseReports = button(QStringLiteral("&Vybrat soubory se zprávami…"), QStringLiteral("vybratZpravy"),
                                        QStringLiteral("Vybrat soubory se zprávami od žáků k importu"));
    QPushButton* pupilsButton =
        button(QStringLiteral("Žáci z &CSV…"), QStringLiteral("zaciCsv"), QStringLiteral("Zapsat žáky ze souboru CSV"));
    log->setObjectName(QStringLiteral("importy"));
    log->setAccessibleName(QStringLiteral("Výsledky importu zpráv"));
    log->setHeaderLabels({QStringLiteral("Soubor"), QStringLiteral("Zpráva"), QStringLiteral("Výsledek")});
    log->setRootIsDecorated(false);
    log->setUniformRowHeights(true);
    auto* importLayout = new QVBoxLayout(importBox);
    auto* importButtons = new QHBoxLayout;
    importButtons->addWidget(new QLabel(QStringLiteral("Přetáhněte do okna soubory .txt, .eml nebo schránky mbox.")));
    importButtons->addStretch();
    importButtons->addWidget(chooseReports);
    importButtons->addWidget(pupilsButton);
    importLayout->addLayout(importButtons);
    importLayout->addWidget(log);

    // The table has the window; the chart and the import log wait on their own pages.
    tabs->setObjectName(QStringLiteral("karty"));
    tabs->addTab(table, QStringLiteral("Tabulka"));
    tabs->addTab(chartBox, QStringLiteral("Graf třídy"));
    tabs->addTab(importBox, QStringLiteral("Importy"));

    busyBox->setObjectName(QStringLiteral("prace"));
    progress->setObjectName(QStringLiteral("prubeh"));
    progress->setAccessibleName(QStringLiteral("Průběh"));
    cancelButton->setObjectName(QStringLiteral("zrusit"));
    cancelButton->setAccessibleName(QStringLiteral("Zrušit probíhající práci"));
    busyLabel->setTextFormat(Qt::PlainText);
    auto* busyLayout = new QHBoxLayout(busyBox);
    busyLayout->setContentsMargins(0, 0, 0, 0);
    busyLayout->addWidget(busyLabel, 1);
    busyLayout->addWidget(progress);
    busyLayout->addWidget(cancelButton);
    busyBox->hide();

    auto* central = new QWidget;
    auto* layout = new QVBoxLayout(central);
    layout->addLayout(databaseRow);
    layout->addLayout(filterRow);
    layout->addLayout(actionRow);
    layout->addWidget(statusLabel);
    layout->addWidget(tabs, 1);
    layout->addWidget(busyBox);
    setCentralWidget(central);
    resize(1200, 700);

    connect(openFile, &QPushButton::clicked, this, &TeacherWindow::chooseDatabaseFile);
    connect(openServer, &QPushButton::clicked, this, &TeacherWindow::typeServerAddress);
    connect(refresh, &QPushButton::clicked, this, &TeacherWindow::reload);
    connect(new QShortcut(QKeySequence::Refresh, this), &QShortcut::activated, this, &TeacherWindow::reload);
    connect(new QShortcut(QKeySequence::Open, this), &QShortcut::activated, this, &TeacherWindow::chooseDatabaseFile);
    connect(new QShortcut(QKeySequence::Print, this), &QShortcut::activated, this, &TeacherWindow::printReport);
    connect(classBox, &QComboBox::currentIndexChanged, this, &TeacherWindow::classChosen);
    connect(periodBox, &QComboBox::currentIndexChanged, this, &TeacherWindow::periodChosen);
    connect(fromEdit, &QDateEdit::editingFinished, this, &TeacherWindow::periodChosen);
    connect(toEdit, &QDateEdit::editingFinished, this, &TeacherWindow::periodChosen);
    connect(searchEdit, &QLineEdit::textChanged, proxy, &ClassFilterProxy::setSurnameSearch);
    connect(table->selectionModel(), &QItemSelectionModel::currentRowChanged, this, &TeacherWindow::updateChart);
    connect(table, &QTableView::activated, this, &TeacherWindow::openHistory);
    auto sortFromControls = [this, sortBox, descending] {
        table->sortByColumn(sortBox->currentIndex(),
                            descending->isChecked() ? Qt::DescendingOrder : Qt::AscendingOrder);
    };
    connect(sortBox, &QComboBox::activated, this, sortFromControls);
    connect(descending, &QCheckBox::toggled, this, sortFromControls);
    connect(table->horizontalHeader(), &QHeaderView::sortIndicatorChanged, this,
            [sortBox, descending](int column, Qt::SortOrder order) {
                const QSignalBlocker blockBox(sortBox);
                const QSignalBlocker blockCheck(descending);
                sortBox->setCurrentIndex(column);
                descending->setChecked(order == Qt::DescendingOrder);
            });
    sortBox->setCurrentIndex(ClassTableModel::SurnameColumn);
    connect(exportButton, &QPushButton::clicked, this, &TeacherWindow::exportTable);
    connect(printButton, &QPushButton::clicked, this, &TeacherWindow::printReport);
    connect(renamePupilButton, &QPushButton::clicked, this, &TeacherWindow::renamePupil);
    connect(renameClassButton, &QPushButton::clicked, this, &TeacherWindow::renameClass);
    connect(undoButton, &QPushButton::clicked, this, &TeacherWindow::undoChange);
    connect(pdfButton, &QPushButton::clicked, this, &TeacherWindow::savePdf);
    connect(saveChartButton, &QPushButton::clicked, this, &TeacherWindow::saveChart);
    connect(chooseReports, &QPushButton::clicked, this, &TeacherWindow::chooseReportFiles);
    connect(pupilsButton, &QPushButton::clicked, this, &TeacherWindow::importPupils);
    connect(cancelButton, &QPushButton::clicked, this, &TeacherWindow::cancelWork);

    classBox->addItem(QStringLiteral("Všechny třídy"));
    databaseLabel->setText(QStringLiteral("(žádná)"));

    // A busy database is waited for on the worker's thread; the window says so meanwhile.
    WaitIndicator::hook = [this](bool waiting) {
        QMetaObject::invokeMethod(
            this, [this, waiting] { lockWait(waiting); }, Qt::QueuedConnection);
    };

    QSettings settings;
    restoreGeometry(settings.value(QStringLiteral("okno/geometrie")).toByteArray());
    tabs->setCurrentIndex(settings.value(QStringLiteral("okno/karta"), 0).toInt());
    const int kind = periodBox->findData(settings.value(QStringLiteral("okno/obdobi"), 0).toInt());
    if (kind > 0 && ClassResults::Period::Kind(periodBox->itemData(kind).toInt()) != Kind::Chosen) {
        const QSignalBlocker block(periodBox);
        periodBox->setCurrentIndex(kind);
    }
    loadedPeriod = period();
}

TeacherWindow::~TeacherWindow()
{
    WaitIndicator::hook = nullptr;
    jobs.clear();
    if (jobState)
        jobState->cancelled = true;
    QList<QThread*> threads = abandoned;
    if (jobThread)
        threads << jobThread;
    for (QThread* thread : threads) {
        thread->wait();
        delete thread;
    }
}

QString TeacherWindow::status() const
{
    return statusLabel->text();
}

void TeacherWindow::setStatus(const QString& text, bool problem)
{
    statusLabel->setText(text);
    statusLabel->setStyleSheet(problem ? QStringLiteral("color: #b00000;") : QString());
    // A screen reader hears the line itself, and hears it change.
    statusLabel->setAccessibleName(QStringLiteral("Stav: ") + text);
    QAccessibleEvent changed(statusLabel, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&changed);
    if (problem) {
        QAccessibleEvent alert(statusLabel, QAccessible::Alert);
        QAccessible::updateAccessibility(&alert);
    }
}

void TeacherWindow::runJob(Job job)
{
    jobs.append(std::move(job));
    if (!jobThread)
        startNextJob();
}

void TeacherWindow::startNextJob()
{
    if (jobs.isEmpty()) {
        busyBox->hide();
        return;
    }
    const Job job = jobs.takeFirst();
    auto state = std::make_shared<JobState>();
    state->config = config;
    state->post = [this](std::function<void()> f) {
        QMetaObject::invokeMethod(this, std::move(f), Qt::QueuedConnection);
    };
    const std::weak_ptr<JobState> weak = state;
    state->progress = [this, weak](int done, int total, const QString& text) {
        QMetaObject::invokeMethod(
            this,
            [this, weak, done, total, text] {
                if (const auto running = weak.lock(); running && running == jobState)
                    jobProgress(done, total, text);
            },
            Qt::QueuedConnection);
    };
    jobState = state;
    busyLabel->setText(job.label);
    progress->setRange(0, 0);
    busyBox->show();
    QThread* thread = QThread::create([state, work = job.work] { work(*state); });
    jobThread = thread;
    connect(thread, &QThread::finished, this, [this, thread, state, done = job.done] {
        if (thread == jobThread) {
            jobThread = nullptr;
            jobState.reset();
        } else {
            abandoned.removeOne(thread);
        }
        thread->deleteLater();
        if (done)
            done();
        if (!jobThread)
            startNextJob();
    });
    thread->start();
}

void TeacherWindow::jobProgress(int done, int total, const QString& text)
{
    busyLabel->setText(text);
    progress->setRange(0, total);
    progress->setValue(done);
}

void TeacherWindow::lockWait(bool waiting)
{
    if (!jobThread)
        return;
    if (waiting)
        setStatus(QStringLiteral("Databáze je zamčená jiným programem, čekám, až ji uvolní… (Zrušit práci ukončí)"),
                  true);
    else
        setStatus(QStringLiteral("Databáze je zase volná."), false);
}

void TeacherWindow::cancelWork()
{
    if (!jobThread)
        return;
    jobState->cancelled = true;
    abandoned << jobThread;
    jobThread = nullptr;
    jobState.reset();
    jobs.clear();
    busyBox->hide();
    setStatus(QStringLiteral("Zrušeno. Rozepsaný blok se zapíše celý, nebo vůbec; tabulka ukazuje poslední načtený "
                             "stav."),
              false);
}

ClassResults::Period TeacherWindow::period() const
{
    return ClassResults::Period::of(ClassResults::Period::Kind(periodBox->currentData().toInt()),
                                    TeacherSystem::today(), fromEdit->date(), toEdit->date());
}

void TeacherWindow::periodChosen()
{
    const bool chosenDays =
        ClassResults::Period::Kind(periodBox->currentData().toInt()) == ClassResults::Period::Kind::Chosen;
    fromEdit->setEnabled(chosenDays);
    toEdit->setEnabled(chosenDays);
    if (haveDatabase)
        reload();
}

void TeacherWindow::openStartup(const QStringList& arguments)
{
    QStringList databases;
    QStringList mails;
    for (const QString& argument : arguments) {
        const QString path = argument.startsWith(QStringLiteral("file://")) ? QUrl(argument).toLocalFile() : argument;
        if (StoreConfig::isAddress(path) || isDatabaseFile(path))
            databases << path;
        else
            mails << path;
    }
    if (!databases.isEmpty())
        openDatabase(StoreConfig::fromArgument(databases.first()));
    else
        openConfigured();
    if (!mails.isEmpty())
        importFiles(mails);
    if (databases.size() > 1)
        addLogLine(
            QString(), QString(),
            QStringLiteral("otevřena jen první databáze; další: %1").arg(databases.mid(1).join(QStringLiteral(", "))),
            -1);
}

void TeacherWindow::openConfigured()
{
    const StoreConfig configured = TeacherCredentials::startDatabase();
    if (configured.isValid() && configured.sourceFile.isEmpty() && !QFileInfo::exists(configured.sqlitePath)) {
        setStatus(QStringLiteral("Školní databáze není nastavena (kvizmat.conf) a výchozí soubor „%1“ neexistuje. "
                                 "Otevřete soubor databáze, nebo zadejte adresu serveru.")
                      .arg(QDir::toNativeSeparators(configured.sqlitePath)),
                  true);
        return;
    }
    openDatabase(configured);
}

void TeacherWindow::openDatabase(const StoreConfig& newConfig, bool keepPassword)
{
    if (!newConfig.isValid()) {
        setStatus(newConfig.problem, true);
        return;
    }
    config = newConfig;
    if (config.isPostgres() && config.password.isEmpty())
        config.password = TeacherCredentials::rememberedPassword(config);
    haveDatabase = true;
    databaseLabel->setText(QDir::toNativeSeparators(config.describe()));
    data.clear();
    daysOfClass.clear();
    model->setPupils({});
    // Only a database that could be read is remembered, and only a password the server took is kept.
    keepPasswordAfterLoad = keepPassword;
    reload();
}

void TeacherWindow::reload()
{
    if (!haveDatabase) {
        setStatus(QStringLiteral("Není otevřena žádná databáze."), true);
        emit loadFinished(false);
        return;
    }
    struct Loaded {
        QList<ClassResults::Pupil> pupils;
        ClassTableModel::Order order;
        bool ok = false;
        QString failure;
    };
    auto loaded = std::make_shared<Loaded>();
    const ClassResults::Period wanted = period();
    Job job;
    job.label = QStringLiteral("Načítám výsledky (%1)…").arg(wanted.name());
    job.work = [this, loaded, wanted](JobState& state) {
        DatabaseConnection connection(state.config);
        if (connection.open()) {
            if (ClassResults::indexesMissing(connection)) {
                state.progress(0, 0,
                               QStringLiteral("Zakládám rejstříky pro rychlé čtení výsledků (jen poprvé; "
                                              "u velké databáze to trvá několik sekund)…"));
                ClassResults::ensureIndexes(connection);
            }
            loaded->ok = !state.cancelled && ClassResults::loadPupils(connection, loaded->pupils, wanted);
            if (loaded->ok)
                loaded->order = ClassTableModel::orderOf(loaded->pupils);
        }
        loaded->failure = connection.failure();
    };
    job.done = [this, loaded, wanted] {
        if (!loaded->ok) {
            if (!loaded->failure.isEmpty())
                setStatus(QStringLiteral("Výsledky nelze načíst: %1%2")
                              .arg(loaded->failure,
                                   data.isEmpty() ? QString() : QStringLiteral(" Tabulka ukazuje dříve načtený stav.")),
                          true);
            sayAfterLoad.clear();
            keepPasswordAfterLoad = false;
            emit loadFinished(false);
            return;
        }
        data = loaded->pupils;
        loadedPeriod = wanted;
        daysOfClass.clear();
        model->setPupils(data, loaded->order);
        const QVariant chosen = classBox->currentData();
        QStringList classes;
        QSet<QString> seen;
        for (const ClassResults::Pupil& p : std::as_const(data))
            if (!seen.contains(p.className)) {
                seen.insert(p.className);
                classes << p.className;
            }
        {
            const QSignalBlocker block(classBox);
            classBox->clear();
            classBox->addItem(QStringLiteral("Všechny třídy"));
            for (const QString& c : std::as_const(classes))
                classBox->addItem(shownClass(c), c);
            const int again = chosen.isValid() ? classBox->findData(chosen) : 0;
            classBox->setCurrentIndex(qMax(again, 0));
        }
        classChosen();
        const QLocale czech(QLocale::Czech);
        const qsizetype notListed =
            std::count_if(data.cbegin(), data.cend(), [](const ClassResults::Pupil& p) { return !p.listed; });
        setStatus(QStringLiteral("Načteno (%1): žáků %2, tříd %3%4.%5")
                      .arg(wanted.name(), czech.toString(data.size()), czech.toString(classes.size()),
                           notListed > 0 ? QStringLiteral(", z toho %1 %2")
                                               .arg(czech.toString(notListed), ClassResults::notListedText())
                                         : QString(),
                           sayAfterLoad.isEmpty() ? QString() : QLatin1Char(' ') + sayAfterLoad),
                  sayAsProblem);
        sayAfterLoad.clear();
        sayAsProblem = false;
        TeacherCredentials::remember(config);
        if (std::exchange(keepPasswordAfterLoad, false) && !TeacherCredentials::keepPassword(config))
            setStatus(status() + QStringLiteral(" Heslo si nepamatuji: klíčenka systému není k dispozici."), false);
        remember();
        emit loadFinished(true);
    };
    runJob(job);
}

void TeacherWindow::reloadThenSay(const QString& text, bool problem)
{
    sayAfterLoad = text;
    sayAsProblem = problem;
    setStatus(text, problem);
    reload();
}

std::optional<QString> TeacherWindow::chosenClass() const
{
    QVariant chosen = classBox->currentData();
    if (!chosen.isValid()) {
        const QModelIndex current = table->currentIndex();
        if (current.isValid())
            chosen = current.siblingAtColumn(ClassTableModel::ClassColumn).data(ClassTableModel::SortRole);
    }
    return chosen.isValid() ? std::optional(chosen.toString()) : std::nullopt;
}

void TeacherWindow::classChosen()
{
    const QVariant chosen = classBox->currentData();
    proxy->setClassName(chosen.isValid() ? std::optional(chosen.toString()) : std::nullopt);
    updateChart();
}

void TeacherWindow::updateChart()
{
    const std::optional<QString> chosen = chosenClass();
    if (!chosen) {
        chart->showClass(std::nullopt, {}, {});
        return;
    }
    const QString className = *chosen;
    if (daysOfClass.contains(className) || !haveDatabase) {
        chart->showClass(className, data, daysOfClass.value(className), loadedPeriod.name());
        return;
    }
    auto days = std::make_shared<QList<ClassResults::Day>>();
    auto failure = std::make_shared<QString>();
    const ClassResults::Period shown = loadedPeriod;
    Job job;
    job.label = QStringLiteral("Načítám průběh třídy %1 po dnech…").arg(shownClass(className));
    job.work = [days, failure, className, shown](JobState& state) {
        DatabaseConnection connection(state.config);
        if (!connection.open() || !ClassResults::loadDays(connection, className, *days, shown))
            *failure = connection.failure();
    };
    job.done = [this, days, failure, className, shown] {
        if (!failure->isEmpty()) {
            setStatus(QStringLiteral("Průběh po dnech nelze načíst: %1").arg(*failure), true);
            return;
        }
        if (shown.from != loadedPeriod.from || shown.to != loadedPeriod.to)
            return;
        daysOfClass.insert(className, *days);
        if (chosenClass() == className)
            chart->showClass(className, data, *days, loadedPeriod.name());
    };
    runJob(job);
}

void TeacherWindow::openHistory(const QModelIndex& index)
{
    if (!index.isValid() || !haveDatabase)
        return;
    const QString surname =
        index.siblingAtColumn(ClassTableModel::SurnameColumn).data(ClassTableModel::SortRole).toString();
    const QString className =
        index.siblingAtColumn(ClassTableModel::ClassColumn).data(ClassTableModel::SortRole).toString();
    auto runs = std::make_shared<QList<ClassResults::Run>>();
    auto failure = std::make_shared<QString>();
    const ClassResults::Period shown = loadedPeriod;
    Job job;
    job.label = QStringLiteral("Načítám historii žáka %1…").arg(surname);
    job.work = [runs, failure, surname, className, shown](JobState& state) {
        DatabaseConnection connection(state.config);
        if (!connection.open() || !ClassResults::loadHistory(connection, surname, className, *runs, shown))
            *failure = connection.failure();
    };
    job.done = [this, runs, failure, surname, className, shown] {
        if (!failure->isEmpty()) {
            setStatus(QStringLiteral("Historii žáka nelze načíst: %1").arg(*failure), true);
            return;
        }
        auto* history = new PupilHistory(surname, className, *runs, shown, this);
        history->setAttribute(Qt::WA_DeleteOnClose);
        history->show();
    };
    runJob(job);
}

void TeacherWindow::chooseDatabaseFile()
{
    const QString path =
        TeacherSystem::openFileName(this, QStringLiteral("Otevřít školní databázi"),
                                    QStringLiteral("Databáze SQLite (*.db *.sqlite *.sqlite3);;Všechny soubory (*)"));
    if (!path.isEmpty())
        openDatabase(StoreConfig::fromPath(path));
}

void TeacherWindow::typeServerAddress()
{
    ServerLoginDialog dialog(TeacherCredentials::proposedServer(haveDatabase ? config : StoreConfig()), this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    openDatabase(dialog.login(), dialog.rememberPassword());
}

QList<ClassResults::Pupil> TeacherWindow::shownPupils() const
{
    QList<ClassResults::Pupil> shown;
    shown.reserve(proxy->rowCount());
    for (int r = 0; r < proxy->rowCount(); ++r)
        shown << model->pupils().at(proxy->mapToSource(proxy->index(r, 0)).row());
    return shown;
}

void TeacherWindow::exportTable()
{
    const QVariant chosen = classBox->currentData();
    const QString proposed = chosen.isValid() && !chosen.toString().isEmpty()
                                 ? QStringLiteral("vysledky-%1.csv").arg(chosen.toString())
                                 : QStringLiteral("vysledky.csv");
    const QString path = TeacherSystem::saveFileName(this, QStringLiteral("Uložit tabulku jako CSV"), proposed,
                                                     QStringLiteral("Soubory CSV (*.csv)"), QStringLiteral("csv"));
    if (path.isEmpty())
        return;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(ClassResults::pupilsCsv(shownPupils(), loadedPeriod)) < 0 ||
        !file.commit()) {
        TeacherSystem::message(
            this, QMessageBox::Warning, windowCaption,
            QStringLiteral("Tabulku nelze uložit do „%1“: %2").arg(QDir::toNativeSeparators(path), file.errorString()));
        return;
    }
    setStatus(QStringLiteral("Tabulka uložena do „%1“.").arg(QDir::toNativeSeparators(path)), false);
}

void TeacherWindow::saveChart()
{
    if (!chart->className()) {
        TeacherSystem::message(this, QMessageBox::Information, windowCaption,
                               QStringLiteral("Nejdřív vyberte třídu, jejíž graf chcete uložit."));
        return;
    }
    const QString proposed = QStringLiteral("graf-%1.png").arg(*chart->className());
    const QString path = TeacherSystem::saveFileName(this, QStringLiteral("Uložit graf jako PNG"), proposed,
                                                     QStringLiteral("Obrázky PNG (*.png)"), QStringLiteral("png"));
    if (path.isEmpty())
        return;
    QString problem;
    if (!chart->savePng(path, &problem)) {
        TeacherSystem::message(
            this, QMessageBox::Warning, windowCaption,
            QStringLiteral("Graf nelze uložit do „%1“: %2").arg(QDir::toNativeSeparators(path), problem));
        return;
    }
    setStatus(QStringLiteral("Graf uložen do „%1“.").arg(QDir::toNativeSeparators(path)), false);
}

void TeacherWindow::printReport()
{
    ClassReport::preview(this, chosenClass(), shownPupils(), chart, loadedPeriod);
}

void TeacherWindow::savePdf()
{
    const std::optional<QString> chosen = chosenClass();
    const QString proposed =
        chosen && !chosen->isEmpty() ? QStringLiteral("prehled-%1.pdf").arg(*chosen) : QStringLiteral("prehled.pdf");
    const QString path = TeacherSystem::saveFileName(this, QStringLiteral("Uložit přehled jako PDF"), proposed,
                                                     QStringLiteral("Dokumenty PDF (*.pdf)"), QStringLiteral("pdf"));
    if (path.isEmpty())
        return;
    QString problem;
    if (!ClassReport::savePdf(path, chosen, shownPupils(), chart, loadedPeriod, &problem)) {
        TeacherSystem::message(
            this, QMessageBox::Warning, windowCaption,
            QStringLiteral("PDF nelze uložit do „%1“: %2").arg(QDir::toNativeSeparators(path), problem));
        return;
    }
    setStatus(QStringLiteral("Přehled uložen do „%1“.").arg(QDir::toNativeSeparators(path)), false);
}

namespace {

// A change of names on the worker's thread; the window tells how it went and reads the table again.
struct Renamed {
    PupilRenaming::Outcome outcome;
    QString failure;
};

} // namespace

void TeacherWindow::renamePupil()
{
    const QModelIndex current = table->currentIndex();
    if (!haveDatabase || !current.isValid()) {
        setStatus(QStringLiteral("Nejdřív vyberte v tabulce žáka, kterého chcete přejmenovat."), true);
        return;
    }
    const PupilRenaming::Name from{
        current.siblingAtColumn(ClassTableModel::SurnameColumn).data(ClassTableModel::SortRole).toString(),
        current.siblingAtColumn(ClassTableModel::ClassColumn).data(ClassTableModel::SortRole).toString()};
    QList<QPair<QString, QString>> listed;
    for (const ClassResults::Pupil& p : std::as_const(data))
        if (p.listed && !(p.surname == from.surname && p.className == from.className))
            listed.append({p.surname, p.className});
    const auto chosen = TeacherSystem::askName(
        this,
        QStringLiteral("Přejmenovat nebo sloučit žáka %1, třída %2").arg(from.surname, shownClass(from.className)),
        from.surname, from.className, listed);
    if (!chosen)
        return;
    const PupilRenaming::Name to{chosen->first, chosen->second};
    auto renamed = std::make_shared<Renamed>();
    Job job;
    job.label = QStringLiteral("Přejmenovávám žáka…");
    job.work = [renamed, from, to](JobState& state) {
        DatabaseConnection connection(state.config);
        if (connection.open())
            renamed->outcome = PupilRenaming::renamePupil(connection, from, to);
        renamed->failure = connection.failure();
    };
    job.done = [this, renamed] {
        if (!renamed->outcome.ok)
            return setStatus(QStringLiteral("Nelze přejmenovat: %1").arg(renamed->failure), true);
        reloadThenSay(QStringLiteral("Změna č. %1: %2; přesunuto běhů: %3. Vrátit ji lze tlačítkem „Vrátit změnu“.")
                          .arg(renamed->outcome.number)
                          .arg(renamed->outcome.description)
                          .arg(renamed->outcome.runs),
                      false);
    };
    runJob(job);
}

void TeacherWindow::renameClass()
{
    const std::optional<QString> from = chosenClass();
    if (!haveDatabase || !from) {
        setStatus(QStringLiteral("Nejdřív vyberte třídu, kterou chcete přejmenovat."), true);
        return;
    }
    // The class's name goes into the title only: a window title is never read as rich text.
    const QString to = TeacherSystem::textInput(this, QStringLiteral("Přejmenovat třídu %1").arg(shownClass(*from)),
                                                QStringLiteral("Nový název třídy (existuje-li, třídy se sloučí):"));
    if (to.isNull())
        return;
    auto renamed = std::make_shared<Renamed>();
    Job job;
    job.label = QStringLiteral("Přejmenovávám třídu…");
    job.work = [renamed, from = *from, to = to.trimmed()](JobState& state) {
        DatabaseConnection connection(state.config);
        if (connection.open())
            renamed->outcome = PupilRenaming::renameClass(connection, from, to);
        renamed->failure = connection.failure();
    };
    job.done = [this, renamed] {
        if (!renamed->outcome.ok)
            return setStatus(QStringLiteral("Třídu nelze přejmenovat: %1").arg(renamed->failure), true);
        reloadThenSay(QStringLiteral("Změna č. %1: %2; přesunuto běhů: %3.")
                          .arg(renamed->outcome.number)
                          .arg(renamed->outcome.description)
                          .arg(renamed->outcome.runs),
                      false);
    };
    runJob(job);
}

void TeacherWindow::undoChange()
{
    if (!haveDatabase)
        return setStatus(QStringLiteral("Není otevřena žádná databáze."), true);
    auto renamed = std::make_shared<Renamed>();
    Job job;
    job.label = QStringLiteral("Vracím poslední změnu…");
    job.work = [renamed](JobState& state) {
        DatabaseConnection connection(state.config);
        if (connection.open())
            renamed->outcome = PupilRenaming::undo(connection);
        renamed->failure = connection.failure();
    };
    job.done = [this, renamed] {
        if (!renamed->outcome.ok)
            return setStatus(QStringLiteral("Změnu nelze vrátit: %1").arg(renamed->failure), true);
        reloadThenSay(QStringLiteral("Vrácena změna č. %1: %2; vráceno běhů: %3.")
                          .arg(renamed->outcome.number)
                          .arg(renamed->outcome.description)
                          .arg(renamed->outcome.runs),
                      false);
    };
    runJob(job);
}

void TeacherWindow::importPupils()
{
    if (!haveDatabase) {
        setStatus(QStringLiteral("Nejdřív otevřete školní databázi."), true);
        return;
    }
    const QString path = TeacherSystem::openFileName(this, QStringLiteral("Žáci ze souboru CSV"),
                                                     QStringLiteral("Soubory CSV (*.csv *.txt);;Všechny soubory (*)"));
    if (path.isEmpty())
        return;
    struct Read {
        QString problem;
        PupilImport::Parsed parsed;
        PupilImport::Outcome outcome;
    };
    auto read = std::make_shared<Read>();
    Job job;
    job.label = QStringLiteral("Zapisuji žáky ze souboru „%1“…").arg(QFileInfo(path).fileName());
    job.work = [read, path](JobState& state) {
        QByteArray content;
        if (!TextInput::read(path, content, read->problem))
            return;
        read->parsed = PupilImport::parse(content);
        if (!read->parsed.badLines.isEmpty() || state.cancelled)
            return;
        DatabaseConnection connection(state.config);
        if (!connection.open())
            read->problem = QStringLiteral("Žáky nelze zapsat: %1").arg(connection.failure());
        else
            read->outcome = PupilImport::write(connection, read->parsed.pupils);
    };
    job.done = [this, read, path] {
        auto tell = [this](QMessageBox::Icon icon, const QString& text) {
            TeacherSystem::message(this, icon, windowCaption, text);
        };
        if (!read->problem.isEmpty())
            return tell(QMessageBox::Warning, read->problem);
        const QStringList& bad = read->parsed.badLines;
        if (!bad.isEmpty()) {
            // A few lines in the box; the whole list scrolls in its details.
            QStringList details = bad.mid(0, 2000);
            if (bad.size() > 2000)
                details << QStringLiteral("a dalších %1").arg(bad.size() - 2000);
            TeacherSystem::detailedMessage(
                this, QMessageBox::Warning, windowCaption,
                QStringLiteral("Soubor „%1“ (čten jako %2) má %3 chybných řádků:\n%4\n\nNic jsem nezapsal; opravte "
                               "soubor a načtěte ho znovu.")
                    .arg(QFileInfo(path).fileName(), read->parsed.encoding)
                    .arg(bad.size())
                    .arg(PupilImport::badLinesSummary(bad)),
                details.join(QLatin1Char('\n')));
            return;
        }
        if (!read->outcome.ok)
            return tell(QMessageBox::Warning,
                        QStringLiteral("Žáky nelze zapsat, nic jsem nezměnil: %1").arg(read->outcome.failure));
        reload();
        tell(QMessageBox::Information, PupilImport::summary(read->outcome));
    };
    runJob(job);
}

void TeacherWindow::chooseReportFiles()
{
    const QStringList paths =
        TeacherSystem::openFileNames(this, QStringLiteral("Soubory se zprávami od žáků"),
                                     QStringLiteral("Zprávy (*.txt *.eml *.mbox *.mbx);;Všechny soubory (*)"));
    if (!paths.isEmpty())
        importFiles(paths);
}

void TeacherWindow::importFiles(const QStringList& paths)
{
    const bool database = haveDatabase;
    auto counts = std::make_shared<ImportCounts>();
    auto cancelled = std::make_shared<bool>(false);
    Job job;
    job.label = QStringLiteral("Importuji zprávy…");
    job.work = [this, paths, database, counts, cancelled](JobState& state) {
        std::unique_ptr<DatabaseConnection> connection;
        bool open = false;
        auto line = [this, &state, counts](const QString& file, const QString& what, const QString& text, int kind,
                                           bool notListed) {
            // Lines of blocks written before a cancel still come: they tell what the database holds.
            state.post([=, this] {
                addLogLine(file, what, text, kind, notListed);
                if (kind == int(ImportOutcome::Kind::Imported))
                    ++counts->imported;
                else if (kind == int(ImportOutcome::Kind::AlreadyImported))
                    ++counts->already;
                else if (kind == int(ImportOutcome::Kind::Refused) || kind == -1)
                    ++counts->refused;
                counts->notListed += notListed ? 1 : 0;
            });
        };
        for (int f = 0; f < paths.size() && !state.cancelled; ++f) {
            const QString file = QFileInfo(paths.at(f)).fileName();
            const int n = int(paths.size());
            state.progress(f, n, QStringLiteral("Čtu „%1“ (soubor %2 z %3)…").arg(file).arg(f + 1).arg(n));
            const MailReport::Result result = MailReport::extractFile(paths.at(f), &state.cancelled);
            if (state.cancelled)
                break;
            if (result.blocks.isEmpty()) {
                line(file, QString(), QStringLiteral("odmítnuto: %1").arg(result.problem), -1, false);
                continue;
            }
            if (!database) {
                line(file, QString(), QStringLiteral("nezapsáno: není otevřena žádná databáze"), -1, false);
                continue;
            }
            if (!connection) {
                connection = std::make_unique<DatabaseConnection>(state.config);
                connection->setCancelFlag(&state.cancelled);
                open = connection->open();
            }
            // Blocks go in batches (one transaction each, every block whole or not at all), so a year's
            // mail is written in seconds; a cancel stops before the next batch. The batches start with one
            // block and grow, so that a cancel while a locked database is waited for lets in at most one.
            const int blocks = int(result.blocks.size());
            int batch = 1;
            for (int first = 0; first < blocks && !state.cancelled; first += batch, batch = qMin(batch * 2, 256)) {
                const int last = qMin(blocks, first + batch);
                state.progress(first, blocks,
                               QStringLiteral("Zapisuji z „%1“ bloky %2–%3 z %4…").arg(file).arg(first + 1).arg(last).arg(blocks));
                QStringList texts;
                for (int b = first; b < last; ++b)
                    texts << result.blocks.at(b).text;
                const QList<ImportOutcome> outcomes = open ? importReports(*connection, texts) : QList<ImportOutcome>();
                for (int b = first; b < last; ++b) {
                    // A sender's name may hold direction marks that would turn the line around.
                    const QString label = printableText(result.blocks.at(b).label);
                    if (!open) {
                        line(file, label, QStringLiteral("nezapsáno: %1").arg(connection->failure()),
                             int(ImportOutcome::Kind::Refused), false);
                        continue;
                    }
                    const ImportOutcome& o = outcomes.at(b - first);
                    bool notListed = false;
                    if (o.kind != ImportOutcome::Kind::Refused) {
                        bool listed = true;
                        notListed = ClassResults::isListed(*connection, o.pupil, o.className, listed) && !listed;
                    }
                    const QString who = QStringLiteral("%1, třída %2, dobře %3, špatně %4")
                                            .arg(o.pupil, shownClass(o.className))
                                            .arg(o.right)
                                            .arg(o.wrong);
                    const QString mark =
                        notListed ? QStringLiteral(" (%1)").arg(ClassResults::notListedText()) : QString();
                    QString text;
                    switch (o.kind) {
                    case ImportOutcome::Kind::Imported:
                        text = QStringLiteral("importováno%1: ").arg(mark) + who;
                        break;
                    case ImportOutcome::Kind::AlreadyImported:
                        text = (o.reason.isEmpty()
                                    ? QStringLiteral("už importováno dříve%1: ").arg(mark)
                                    : QStringLiteral("už importováno dříve (%1)%2: ").arg(o.reason, mark)) +
                               who;
                        break;
                    case ImportOutcome::Kind::Refused:
                        text = (o.databaseFailure ? QStringLiteral("nezapsáno: ") : QStringLiteral("odmítnuto: ")) +
                               o.reason;
                        break;
                    }
                    line(file, label, text, int(o.kind), notListed);
                }
            }
            if (result.messages > 1 && result.messagesWithoutBlock > 0)
                state.post([this, file, result] {
                    addLogLine(file, QString(),
                               QStringLiteral("zpráv bez bloku s výsledky: %1 z %2")
                                   .arg(result.messagesWithoutBlock)
                                   .arg(result.messages),
                               -1);
                });
            if (!result.remark.isEmpty())
                state.post([this, file, remark = result.remark] {
                    addLogLine(file, QString(), QStringLiteral("neprohlédnuto: %1").arg(printableText(remark)), -1);
                });
        }
        *cancelled = state.cancelled;
    };
    job.done = [this, counts, cancelled] {
        const QString text = QStringLiteral("%1: importováno %2 (z toho %3 %4), už dříve %5, odmítnuto %6.")
                                 .arg(*cancelled ? QStringLiteral("Import zrušen") : QStringLiteral("Import hotov"))
                                 .arg(counts->imported)
                                 .arg(counts->notListed)
                                 .arg(ClassResults::notListedText())
                                 .arg(counts->already)
                                 .arg(counts->refused);
        addLogLine(QString(), QString(), text, -2);
        const QString said =
            text + (counts->refused > 0 ? QStringLiteral(" Odmítnuté jsou červeně na kartě Importy.") : QString());
        if (counts->imported > 0)
            reloadThenSay(said, counts->refused > 0);
        else
            setStatus(said, counts->refused > 0);
        emit importsFinished();
    };
    runJob(job);
}

void TeacherWindow::addLogLine(const QString& file, const QString& what, const QString& outcome, int kind,
                               bool notListed)
{
    auto* item = new QTreeWidgetItem(log, {file, what, outcome});
    item->setData(2, Qt::UserRole, kind);
    item->setData(2, Qt::UserRole + 1, notListed);
    item->setToolTip(2, outcome);
    if (kind == int(ImportOutcome::Kind::Refused) || kind == -1 || notListed) {
        QFont bold = item->font(2);
        bold.setBold(kind != int(ImportOutcome::Kind::Imported) && kind != int(ImportOutcome::Kind::AlreadyImported));
        for (int c = 0; c < 3; ++c) {
            item->setForeground(c, QColor(0xb0, 0, 0));
            item->setFont(c, bold);
        }
    } else if (kind == -2) {
        QFont bold = item->font(2);
        bold.setBold(true);
        item->setFont(2, bold);
    }
    log->scrollToItem(item);
}

void TeacherWindow::remember()
{
    QSettings settings;
    settings.setValue(QStringLiteral("okno/geometrie"), saveGeometry());
    settings.setValue(QStringLiteral("okno/karta"), tabs->currentIndex());
    settings.setValue(QStringLiteral("okno/obdobi"), periodBox->currentData());
}

void TeacherWindow::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void TeacherWindow::dropEvent(QDropEvent* event)
{
    QStringList paths;
    for (const QUrl& url : event->mimeData()->urls())
        if (url.isLocalFile())
            paths << url.toLocalFile();
    if (paths.isEmpty())
        return;
    event->acceptProposedAction();
    importFiles(paths);
}

void TeacherWindow::closeEvent(QCloseEvent* event)
{
    remember();
    jobs.clear();
    cancelWork();
    QMainWindow::closeEvent(event);
}
