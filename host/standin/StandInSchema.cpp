#include "StandInDatabase.h"
#include "StandInSchemaText.h"
#include "SqliteFile.h"

#include "session/DatabaseError.h"

#include <QFile>

// The schema resource lives in this static library; make sure it is linked
// and registered before the first read.
static void initSchemaResource()
{
    Q_INIT_RESOURCE(standin_schema);
}

namespace {

// The line that separates the two parts of the script.
constexpr char DeferredMarker[] = "-- @deferred";

} // namespace

StandInSchemaText LoadStandInSchema()
{
    initSchemaResource();
    QFile file(QStringLiteral(":/db/schema.sql"));
    if (!file.open(QIODevice::ReadOnly))
        throw DatabaseError(QStringLiteral("The stand-in schema script is not embedded"), file.fileName());
    const QByteArray script = file.readAll();
    const qsizetype split = script.indexOf(DeferredMarker);
    if (split < 0)
        return {script, QByteArray()};
    return {script.left(split), script.mid(split)};
}

void CreateStandInSchema(const QString &path)
{
    const StandInSchemaText schema = LoadStandInSchema();
    RemoveDatabaseFile(path);
    SqliteFile file(path);
    file.exec("BEGIN");
    file.exec(schema.tablesAndViews.toStdString());
    file.exec(schema.indexesAndTriggers.toStdString());
    file.exec("COMMIT");
    file.close();
}

QString StandInConnectionString(const QString &path)
{
    return QStringLiteral("Provider=SQLite;Data Source=") + path;
}
