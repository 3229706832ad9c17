#include "app/DatabaseFile.h"

#include "app/Messages.h"

#include <QFile>
#include <QFileInfo>

namespace {

class DeviceSource : public ByteSource {
  public:
    explicit DeviceSource(QIODevice &device) : device_(device) {}
    std::size_t read(char *buffer, std::size_t capacity) override
    {
        const qint64 got = device_.read(buffer, qint64(capacity));
        if (got < 0) {
            failed_ = true;
            return 0;
        }
        return std::size_t(got);
    }
    bool failed() const override { return failed_; }

  private:
    QIODevice &device_;
    bool failed_ = false;
};

// The caller tells failure from success by a non-empty reason.
QString reasonOf(const QFileDevice &file)
{
    const QString reason = file.errorString();
    return reason.isEmpty() ? QStringLiteral("neznama chyba") : reason;
}

} // namespace

FileLoad loadDatabaseFile(const QString &path)
{
    FileLoad load;
    const QFileInfo info(path);
    if (info.exists() && !info.isFile()) {
        load.error = Messages::kNotRegularFile;
        return load;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        load.error = reasonOf(file);
        return load;
    }
    load.identity = identityOf(file.handle());
    DeviceSource source(file);
    load.result = NacitajDatabazu(source);
    if (source.failed())
        load.error = reasonOf(file);
    return load;
}

SaveResult saveDatabaseFile(const QString &path, const ZoznamCD &zoznam,
                            const std::optional<FileIdentity> &own,
                            const std::function<bool()> &replaceOther,
                            const std::function<bool(const StrataPriUlozeni &)> &saveAnyway)
{
    // The writer finds the first loss in the pass it makes anyway.
    std::optional<StrataPriUlozeni> loss;
    return saveSafely(
        QFile::encodeName(path).toStdString(),
        [&](const FileIdentity &there) { return there == own || replaceOther(); },
        [&](ByteSink &sink) { return UlozDatabazu(sink, zoznam, &loss); },
        [&] { return !loss || saveAnyway(*loss); });
}
