#include "demodata.h"

#include "components/textcontrol/textcontrol.h"
#include "merge/mergefields.h"
#include "settings/settingsfile.h"

#include <QDate>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <QUuid>
#include <QVariant>

namespace DemoData {
namespace {

// A small linear congruential generator: the same rows on every machine and every run.
class Numbers {
public:
    int below(int n)
    {
        m_state = m_state * 6364136223846793005ULL + 1442695040888963407ULL;
        return int((m_state >> 33) % quint64(n));
    }
    template <typename T, size_t N> const T& pick(const T (&items)[N]) { return items[below(int(N))]; }

private:
    quint64 m_state = 20261206;
};

const char* const LastNames[] = {
    "Smith", "Johnson", "Williams", "Brown", "Jones", "Garcia", "Miller", "Davis", "Rodriguez",
    "Martinez", "Hernandez", "Lopez", "Gonzalez", "Wilson", "Anderson", "Thomas", "Taylor", "Moore",
    "Jackson", "Martin", "Lee", "Perez", "Thompson", "White", "Harris", "Sanchez", "Clark", "Ramirez",
    "Lewis", "Robinson", "Walker", "Young", "Allen", "King", "Wright", "Scott", "Torres", "Nguyen",
    "O'Brien", "O'Connor", "D'Angelo", "O'Neil", "Smythe", "Small", "McAllister", "Van der Berg",
    "Kowalski", "Schmidt", "Rossi", "Dubois", "Okafor", "Patel", "Kim", "Nakamura", "Cohen", "Murphy"};
const char* const FemaleNames[] = {
    "Mary", "Patricia", "Jennifer", "Linda", "Elizabeth", "Barbara", "Susan", "Jessica", "Sarah",
    "Karen", "Nancy", "Lisa", "Betty", "Margaret", "Siobhan", "Zoë", "Renée", "Aoife", "Priya", "Ana"};
const char* const MaleNames[] = {
    "James", "Robert", "John", "Michael", "David", "William", "Richard", "Joseph", "Thomas",
    "Charles", "Daniel", "Matthew", "Anthony", "Mark", "José", "Chidi", "Hiroshi", "Luis"};
const char* const Streets[] = {"Main Street", "Oak Avenue", "Maple Drive", "Cedar Lane",
                               "Elm Street", "Washington Boulevard", "Lakeview Road", "Park Place",
                               "Hillcrest Court", "Riverside Drive", "Church Street", "Mill Road"};
struct City {
    const char* name;
    const char* state;
    const char* zip;
};
const City Cities[] = {{"Springfield", "IL", "627"}, {"Madison", "WI", "537"}, {"Portland", "OR", "972"},
                       {"Austin", "TX", "787"},      {"Columbus", "OH", "432"}, {"Raleigh", "NC", "276"},
                       {"Burlington", "VT", "054"},  {"Boise", "ID", "837"},    {"Albany", "NY", "122"}};
const char* const Providers[] = {
    "Dr. Helen Carter", "Dr. Samuel Ortiz", "Dr. Grace O'Malley", "Dr. Ravi Shah", "Dr. Emily Chen",
    "Nurse Practitioner Dana Fox", "Dr. Marcus Bell", "Physician Assistant Leah Stone"};
const char* const Specialties[] = {"Family Medicine", "Cardiology", "Dermatology", "Pediatrics",
                                   "Orthopedics", "Internal Medicine"};
const char* const ReferralSources[] = {
    "Lakeside General Hospital", "Northside Orthopedic Group", "St. Mary's Medical Center",
    "Valley Cardiology Associates", "Riverside Urgent Care", "Summit Physical Therapy",
    "Green Valley Pediatrics", "Harbor Imaging Center", "Westfield Family Practice",
    "Pinecrest Dermatology"};
const char* const Insurers[] = {
    "Blue Shield Mutual", "Aetna Health Plans", "United Healthcare", "Cigna Health",
    "Humana Insurance", "Medicare Part B", "Medicaid State Plan", "Kaiser Permanente",
    "Tricare", "Anthem Blue Cross", "Liberty Mutual Workers' Comp", "Oxford Health Plans"};
const char* const Contacts[] = {"Claims Department", "Pat Reynolds", "Morgan Lee", "Chris O'Hara",
                                "Jordan Blake", "Referral Coordinator"};

struct Writer {
    QSqlDatabase& db;
    QString* error;
    bool ok = true;

    void exec(const QString& statement)
    {
        QSqlQuery q(db);
        if (ok && !q.exec(statement)) {
            ok = false;
            *error = q.lastError().text();
        }
    }
    void insert(const QString& statement, const QVariantList& values)
    {
        if (!ok)
            return;
        QSqlQuery q(db);
        q.prepare(statement);
        for (const QVariant& v : values)
            q.addBindValue(v);
        if (!q.exec()) {
            ok = false;
            *error = q.lastError().text();
        }
    }
};

QString address(Numbers& n)
{
    return QStringLiteral("%1 %2").arg(100 + n.below(9800)).arg(QLatin1String(n.pick(Streets)));
}

QVariant maybe(Numbers& n, int nullOneIn, const QString& value)
{
    return n.below(nullOneIn) == 0 ? QVariant() : QVariant(value);
}

QString phone(Numbers& n)
{
    return QStringLiteral("(%1) 555-%2").arg(200 + n.below(700)).arg(n.below(10000), 4, 10, QLatin1Char('0'));
}

void addPatients(Writer& w, Numbers& n, int patients)
{
    w.exec(QStringLiteral("CREATE TABLE patient_info (patient_id INTEGER PRIMARY KEY, salutation VARCHAR(10), "
                          "last_name VARCHAR(40) NOT NULL, first_name VARCHAR(30), middle_init VARCHAR(1), "
                          "address VARCHAR(60), city VARCHAR(30), state VARCHAR(2), zipcode VARCHAR(10), "
                          "birth_date DATE, phone VARCHAR(20), balance NUMERIC(10,2))"));
    for (int id = 1; id <= patients && w.ok; ++id) {
        const bool female = n.below(2) == 0;
        const City& city = n.pick(Cities);
        const QString salutation = female ? (n.below(3) ? QStringLiteral("Ms.") : QStringLiteral("Mrs."))
                                          : QStringLiteral("Mr.");
        w.insert(QStringLiteral("INSERT INTO patient_info VALUES (?,?,?,?,?,?,?,?,?,?,?,?)"),
                 {id, maybe(n, 12, salutation), QString::fromUtf8(n.pick(LastNames)),
                  QString::fromUtf8(female ? n.pick(FemaleNames) : n.pick(MaleNames)), maybe(n, 3, QString(QChar('A' + n.below(26)))),
                  address(n), QLatin1String(city.name), QLatin1String(city.state),
                  QStringLiteral("%1%2").arg(QLatin1String(city.zip)).arg(n.below(100), 2, 10, QLatin1Char('0')),
                  QDate(1930 + n.below(90), 1 + n.below(12), 1 + n.below(28)), maybe(n, 5, phone(n)),
                  double(n.below(50000)) / 100.0});
    }
}

void addOrganisations(Writer& w, Numbers& n, const QString& table, const char* const* names, int count,
                      bool withContact)
{
    w.exec(QStringLiteral("CREATE TABLE %1 (id INTEGER PRIMARY KEY, name VARCHAR(60) NOT NULL, %2"
                          "address VARCHAR(60), city VARCHAR(30), state VARCHAR(2), zipcode VARCHAR(10), "
                          "phone VARCHAR(20))")
               .arg(table, withContact ? QStringLiteral("contact VARCHAR(40), ") : QStringLiteral("specialty VARCHAR(40), ")));
    for (int i = 0; i < count && w.ok; ++i) {
        const City& city = n.pick(Cities);
        w.insert(QStringLiteral("INSERT INTO %1 VALUES (?,?,?,?,?,?,?,?)").arg(table),
                 {i + 1, QString::fromUtf8(names[i]),
                  withContact ? maybe(n, 4, QLatin1String(n.pick(Contacts))) : QVariant(QLatin1String(n.pick(Specialties))),
                  address(n), QLatin1String(city.name), QLatin1String(city.state),
                  QStringLiteral("%1%2").arg(QLatin1String(city.zip)).arg(n.below(100), 2, 10, QLatin1Char('0')),
                  maybe(n, 6, phone(n))});
    }
}

}  // namespace

bool createTables(QSqlDatabase& db, int patients, QString* error)
{
    Writer w{db, error};
    for (const char* table : {"patient_info", "provider_info", "ref_source_info", "insurance_info"})
        QSqlQuery(db).exec(QStringLiteral("DROP TABLE IF EXISTS ") + QLatin1String(table));
    Numbers n;
    db.transaction();
    addPatients(w, n, patients);
    addOrganisations(w, n, QStringLiteral("provider_info"), Providers, int(std::size(Providers)), false);
    addOrganisations(w, n, QStringLiteral("ref_source_info"), ReferralSources, int(std::size(ReferralSources)), true);
    addOrganisations(w, n, QStringLiteral("insurance_info"), Insurers, int(std::size(Insurers)), true);
    if (!w.ok) {
        db.rollback();
        return false;
    }
    return db.commit();
}

bool createSqliteDatabase(const QString& path, int patients, QString* error)
{
    QFile::remove(path);
    const QString name = QStringLiteral("demodata-") + QUuid::createUuid().toString(QUuid::WithoutBraces);
    bool ok = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        if (!db.open())
            *error = db.lastError().text();
        else
            ok = createTables(db, patients, error);
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return ok;
}

void writeSettings(const QString& settingsFile, const QString& databasePath)
{
    const QString section = QStringLiteral("SQLServer");
    SettingsFile::WriteSetting(settingsFile, section, QStringLiteral("AuthenticationMode"), QStringLiteral("Windows"));
    SettingsFile::WriteSetting(settingsFile, section, QStringLiteral("Provider"), QStringLiteral("SQLite"));
    SettingsFile::WriteSetting(settingsFile, section, QStringLiteral("DataSource"), databasePath);
    SettingsFile::WriteSetting(settingsFile, section, QStringLiteral("InitialCatalog"), QStringLiteral("practice"));
}

bool writeTemplate(const QString& path)
{
    TextControl control;
    control.setFontName(QStringLiteral("Times New Roman"));
    control.setFontSize(12);
    // The letter with its merge fields marked as {column}.
    static const char* const letter =
        "Lakeside Family Medicine\n1200 Harbor Road, Suite 4\nSpringfield, IL 62704\n\n"
        "{salutation} {first_name} {middle_init} {last_name}\n{address}\n{city}, {state} {zipcode}\n\n"
        "Dear {salutation} {last_name}:\n\n"
        "Thank you for visiting our practice. As we discussed at your last appointment, we have "
        "referred you to a specialist for further evaluation. Their office will contact you within "
        "the next two weeks to arrange an appointment.\n\n"
        "Please bring this letter, your insurance card and a list of your current medications to "
        "that visit. If you have not heard from them by then, or if your address or telephone "
        "number has changed, please call our front desk and we will be glad to help.\n\n"
        "We look forward to seeing you at your next check-up.\n\n"
        "Sincerely,\n\n\nHelen Carter, M.D.\nLakeside Family Medicine\n";
    const QStringList pieces = QString::fromUtf8(letter).split(QLatin1Char('{'));
    control.setSelText(pieces.first());
    for (const QString& piece : pieces.mid(1)) {
        const qsizetype close = piece.indexOf(QLatin1Char('}'));
        MergeFields::insertField(&control, QStringLiteral("patient_info.") + piece.left(close));
        control.setSelText(piece.mid(close + 1));
    }
    return control.save(path, 0, TextControl::FormatNative);
}

}  // namespace DemoData
