#include "teacher/teacherwindow.h"

#include "core/report.h"
#include "core/textinput.h"
#include "store/databaseconnection.h"
#include "store/pupilimport.h"
#include "store/reportimport.h"
#include "teacher/classchart.h"
#include "teacher/classfilterproxy.h"
#include "teacher/classtablemodel.h"
#include "teacher/serverlogindialog.h"
#include "teacher/tablecsv.h"
#include "teacher/teachercredentials.h"
#include "teacher/teachersystem.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QDragEnterEvent>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QSaveFile>
#include <QShortcut>
#include <QSplitter>
#include <QTableView>
#include <QThread>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

const QString windowCaption = QStringLiteral("Kvizmat – výsledky třídy");

QPushButton* button(const QString& caption, const QString& name, const QString& accessibleName)
{
    auto* b = new QPushButton(caption);
    b->setObjectName(name);
    b->setAccessibleName(accessibleName);
    return b;
}

QString shownClass(const QString& className)
{
    return className.isEmpty() ? QStringLiteral("(neuvedena)") : className;
}

} // namespace

TeacherWindow::TeacherWindow(QWidget* parent)
    : QMainWindow(parent), databaseLabel(new QLabel), statusLabel(new QLabel), classBox(new QComboBox),
      searchEdit(new QLineEdit), table(new QTableView), model(new ClassTableModel(this)),
      proxy(new ClassFilterProxy(this)), chart(new ClassChart), log(new QTreeWidget)
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
    auto* databaseCaption = new QLabel(QStringLiteral("Databáze:"));
    databaseRow->addWidget(databaseCaption);
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
    QPushButton* exportButton = button(QStringLiteral("&Export do CSV…"), QStringLiteral("exportCsv"),
                                       QStringLiteral("Uložit tabulku jako CSV pro tabulkový procesor"));
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
    filterRow->addSpacing(12);
    filterRow->addWidget(searchLabel);
    filterRow->addWidget(searchEdit, 1);
    filterRow->addSpacing(12);
    filterRow->addWidget(sortLabel);
    filterRow->addWidget(sortBox);
    filterRow->addWidget(descending);
    filterRow->addWidget(exportButton);

    proxy->setSourceModel(model);
    table->setObjectName(QStringLiteral("tabulka"));
    table->setAccessibleName(QStringLiteral("Výsledky žáků"));
    table->setModel(proxy);
    table->setSortingEnabled(true);
    table->sortByColumn(ClassTableModel::SurnameColumn, Qt::AscendingOrder);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setTabKeyNavigation(false);
    table->verticalHeader()->hide();
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table->horizontalHeader()->setStretchLastSection(true);

    QPushButton* saveChartButton = button(QStringLiteral("Uložit &graf jako PNG…"), QStringLiteral("ulozitGraf"),
                                          QStringLiteral("Uložit graf třídy jako obrázek PNG"));
    auto* chartBox = new QWidget;
    auto* chartLayout = new QVBoxLayout(chartBox);
    chartLayout->setContentsMargins(0, 0, 0, 0);
    chart->setObjectName(QStringLiteral("graf"));
    chartLayout->addWidget(chart, 1);
    auto* chartButtons = new QHBoxLayout;
    chartButtons->addStretch();
    chartButtons->addWidget(saveChartButton);
    chartLayout->addLayout(chartButtons);

    auto* importBox = new QGroupBox(QStringLiteral("Zprávy od žáků: přetáhněte sem soubory .txt, .eml nebo "
                                                   "schránky mbox"));
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
    importButtons->addWidget(chooseReports);
    importButtons->addWidget(pupilsButton);
    importButtons->addStretch();
    importLayout->addLayout(importButtons);
    importLayout->addWidget(log);

    auto* splitter = new QSplitter(Qt::Vertical);
    splitter->addWidget(table);
    splitter->addWidget(chartBox);
    splitter->addWidget(importBox);
    splitter->setStretchFactor(0, 3);
    splitter->setStretchFactor(1, 2);
    splitter->setStretchFactor(2, 1);

    auto* central = new QWidget;
    auto* layout = new QVBoxLayout(central);
    layout->addLayout(databaseRow);
    layout->addWidget(statusLabel);
    layout->addLayout(filterRow);
    layout->addWidget(splitter, 1);
    setCentralWidget(central);
    resize(1000, 760);

    connect(openFile, &QPushButton::clicked, this, &TeacherWindow::chooseDatabaseFile);
    connect(openServer, &QPushButton::clicked, this, &TeacherWindow::typeServerAddress);
    connect(refresh, &QPushButton::clicked, this, &TeacherWindow::reload);
    connect(new QShortcut(QKeySequence::Refresh, this), &QShortcut::activated, this, &TeacherWindow::reload);
    connect(new QShortcut(QKeySequence::Open, this), &QShortcut::activated, this, &TeacherWindow::chooseDatabaseFile);
    connect(classBox, &QComboBox::currentIndexChanged, this, &TeacherWindow::classChosen);
    connect(searchEdit, &QLineEdit::textChanged, proxy, &ClassFilterProxy::setSurnameSearch);
    connect(table->selectionModel(), &QItemSelectionModel::currentRowChanged, this, &TeacherWindow::updateChart);
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
    connect(saveChartButton, &QPushButton::clicked, this, &TeacherWindow::saveChart);
    connect(chooseReports, &QPushButton::clicked, this, &TeacherWindow::chooseReportFiles);
    connect(pupilsButton, &QPushButton::clicked, this, &TeacherWindow::importPupils);

    classBox->addItem(QStringLiteral("Všechny třídy"));
    databaseLabel->setText(QStringLiteral("(žádná)"));
}

TeacherWindow::~TeacherWindow()
{
    cancel = true;
    if (worker) {
        worker->wait();
        delete worker;
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

bool TeacherWindow::openDatabase(const StoreConfig& newConfig)
{
    if (!newConfig.isValid()) {
        setStatus(newConfig.problem, true);
        return false;
    }
    config = newConfig;
    if (config.isPostgres() && config.password.isEmpty())
        config.password = TeacherCredentials::rememberedPassword(config);
    haveDatabase = true;
    databaseLabel->setText(QDir::toNativeSeparators(config.describe()));
    data.clear();
    daysOfClass.clear();
    model->setPupils({});
    if (!reload())
        return false;
    TeacherCredentials::remember(config);
    return true;
}

bool TeacherWindow::reload()
{
    if (!haveDatabase) {
        setStatus(QStringLiteral("Není otevřena žádná databáze."), true);
        return false;
    }
    QList<ClassResults::Pupil> read;
    {
        DatabaseConnection connection(config);
        const bool open = connection.open();
        if (open)
            ClassResults::ensureIndexes(connection);
        if (!open || !ClassResults::loadPupils(connection, read)) {
            setStatus(QStringLiteral("Výsledky nelze načíst: %1%2")
                          .arg(connection.failure(),
                               data.isEmpty() ? QString() : QStringLiteral(" Tabulka ukazuje dříve načtený stav.")),
                      true);
            return false;
        }
    }
    data = read;
    daysOfClass.clear();
    model->setPupils(data);

    const QVariant chosen = classBox->currentData();
    QStringList classes;
    for (const ClassResults::Pupil& p : data)
        if (!classes.contains(p.className))
            classes << p.className;
    {
        const QSignalBlocker block(classBox);
        classBox->clear();
        classBox->addItem(QStringLiteral("Všechny třídy"));
        for (const QString& c : classes)
            classBox->addItem(shownClass(c), c);
        const int again = chosen.isValid() ? classBox->findData(chosen) : 0;
        classBox->setCurrentIndex(qMax(again, 0));
    }
    classChosen();
    const QLocale czech(QLocale::Czech);
    setStatus(
        QStringLiteral("Načteno: žáků %1, tříd %2.").arg(czech.toString(data.size()), czech.toString(classes.size())),
        false);
    return true;
}

void TeacherWindow::classChosen()
{
    const QVariant chosen = classBox->currentData();
    proxy->setClassName(chosen.isValid() ? std::optional(chosen.toString()) : std::nullopt);
    updateChart();
}

void TeacherWindow::updateChart()
{
    QVariant chosen = classBox->currentData();
    if (!chosen.isValid()) {
        const QModelIndex current = table->currentIndex();
        if (current.isValid())
            chosen = current.siblingAtColumn(ClassTableModel::ClassColumn).data(ClassTableModel::SortRole);
    }
    if (!chosen.isValid()) {
        chart->showClass(std::nullopt, {}, {});
        return;
    }
    const QString className = chosen.toString();
    if (!daysOfClass.contains(className) && haveDatabase) {
        QList<ClassResults::Day> days;
        DatabaseConnection connection(config);
        if (!connection.open() || !ClassResults::loadDays(connection, className, days))
            setStatus(QStringLiteral("Průběh po dnech nelze načíst: %1").arg(connection.failure()), true);
        else
            daysOfClass.insert(className, days);
    }
    chart->showClass(className, data, daysOfClass.value(className));
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
    const StoreConfig server = dialog.login();
    // Only a password the server took is kept.
    if (openDatabase(server) && dialog.rememberPassword() && !TeacherCredentials::keepPassword(server))
        setStatus(status() + QStringLiteral(" Heslo si nepamatuji: klíčenka systému není k dispozici."), false);
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
    if (!file.open(QIODevice::WriteOnly) || file.write(tableCsv(*proxy, ClassTableModel::ExportRole)) < 0 ||
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
    auto tell = [this](QMessageBox::Icon icon, const QString& text) {
        TeacherSystem::message(this, icon, windowCaption, text);
    };
    QByteArray content;
    QString problem;
    if (!TextInput::read(path, content, problem))
        return tell(QMessageBox::Warning, problem);
    PupilImport::Outcome outcome;
    {
        DatabaseConnection connection(config);
        if (!connection.open())
            return tell(QMessageBox::Warning, QStringLiteral("Žáky nelze zapsat: %1").arg(connection.failure()));
        outcome = PupilImport::importCsv(connection, content);
    }
    if (!outcome.badLines.isEmpty())
        return tell(QMessageBox::Warning,
                    QStringLiteral("Soubor „%1“ má chybné řádky:\n%2\n\nNic jsem nezapsal; "
                                   "opravte soubor a načtěte ho znovu.")
                        .arg(QFileInfo(path).fileName(), outcome.badLines.join(QLatin1Char('\n'))));
    if (!outcome.ok)
        return tell(QMessageBox::Warning,
                    QStringLiteral("Žáky nelze zapsat, nic jsem nezměnil: %1").arg(outcome.failure));
    reload();
    tell(QMessageBox::Information, PupilImport::summary(outcome));
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
    const bool idle = !importing();
    pending += paths;
    if (idle) {
        importedSome = false;
        startNextFile();
    }
}

void TeacherWindow::startNextFile()
{
    if (pending.isEmpty()) {
        if (importedSome)
            reload();
        emit importsFinished();
        return;
    }
    currentFile = pending.takeFirst();
    setStatus(QStringLiteral("Čtu „%1“…").arg(QFileInfo(currentFile).fileName()), false);
    cancel = false;
    const QString path = currentFile;
    worker = QThread::create([this, path] { extracted = MailReport::extractFile(path, &cancel); });
    connect(worker, &QThread::finished, this, &TeacherWindow::fileRead);
    worker->start();
}

void TeacherWindow::addLogLine(const QString& file, const QString& what, const QString& outcome, int kind)
{
    auto* item = new QTreeWidgetItem(log, {file, what, outcome});
    item->setData(2, Qt::UserRole, kind);
    item->setToolTip(2, outcome);
    log->scrollToItem(item);
}

void TeacherWindow::fileRead()
{
    worker->deleteLater();
    worker = nullptr;
    const MailReport::Result result = std::exchange(extracted, {});
    const QString file = QFileInfo(currentFile).fileName();
    if (cancel) {
        pending.clear();
        return;
    }
    if (result.blocks.isEmpty()) {
        addLogLine(file, QString(), QStringLiteral("odmítnuto: %1").arg(result.problem), -1);
    } else if (!haveDatabase) {
        addLogLine(file, QString(), QStringLiteral("nezapsáno: není otevřena žádná databáze"), -1);
    } else {
        DatabaseConnection connection(config);
        const bool open = connection.open();
        QStringList texts;
        for (const MailReport::Block& block : result.blocks)
            texts << block.text;
        const QList<ImportOutcome> outcomes = open ? importReports(connection, texts) : QList<ImportOutcome>();
        for (qsizetype i = 0; i < result.blocks.size(); ++i) {
            // A sender's name may hold direction marks that would turn the line around.
            const QString label = printableText(result.blocks.at(i).label);
            if (!open) {
                addLogLine(file, label, QStringLiteral("nezapsáno: %1").arg(connection.failure()),
                           int(ImportOutcome::Kind::Refused));
                continue;
            }
            const ImportOutcome& o = outcomes.at(i);
            const QString who = QStringLiteral("%1, třída %2, dobře %3, špatně %4")
                                    .arg(o.pupil, shownClass(o.className))
                                    .arg(o.right)
                                    .arg(o.wrong);
            QString text;
            switch (o.kind) {
            case ImportOutcome::Kind::Imported:
                text = QStringLiteral("importováno: ") + who;
                importedSome = true;
                break;
            case ImportOutcome::Kind::AlreadyImported:
                text = (o.reason.isEmpty() ? QStringLiteral("už importováno dříve: ")
                                           : QStringLiteral("už importováno dříve (%1): ").arg(o.reason)) +
                       who;
                break;
            case ImportOutcome::Kind::Refused:
                text = (o.databaseFailure ? QStringLiteral("nezapsáno: ") : QStringLiteral("odmítnuto: ")) + o.reason;
                break;
            }
            addLogLine(file, label, text, int(o.kind));
        }
        if (result.messages > 1 && result.messagesWithoutBlock > 0)
            addLogLine(file, QString(),
                       QStringLiteral("zpráv bez bloku s výsledky: %1 z %2")
                           .arg(result.messagesWithoutBlock)
                           .arg(result.messages),
                       -1);
    }
    if (!result.remark.isEmpty())
        addLogLine(file, QString(), QStringLiteral("neprohlédnuto: %1").arg(printableText(result.remark)), -1);
    setStatus(QStringLiteral("Přečteno „%1“.").arg(file), false);
    startNextFile();
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
    cancel = true;
    if (worker)
        worker->wait();
    pending.clear();
    QMainWindow::closeEvent(event);
}
