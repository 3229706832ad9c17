#include "app/DatabaseFile.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSaveFile>

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

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

class DeviceSink : public ByteSink {
  public:
    explicit DeviceSink(QFileDevice &device) : device_(device) {}
    bool write(const char *data, std::size_t size) override
    {
        if (device_.write(data, qint64(size)) != qint64(size))
            return false;
        written_ += qint64(size);
#ifdef __linux__
        // Starts the disk on what is written while the rest is still being gathered, so that
        // the final sync has little left to wait for. Only a hint: its result does not matter.
        constexpr qint64 step = qint64(8) << 20;
        if (written_ - started_ >= step && device_.flush()) {
            sync_file_range(device_.handle(), started_, written_ - started_, SYNC_FILE_RANGE_WRITE);
            started_ = written_;
        }
#endif
        return true;
    }
    bool flush() override
    {
        if (device_.flush())
            return true;
        // A short write sets no reason; the next attempt fails with the system's own.
        device_.flush();
        return false;
    }

  private:
    QFileDevice &device_;
    qint64 written_ = 0, started_ = 0;
};

QString notRegularFile()
{
    return QStringLiteral("nie je to obycajny subor");
}

// The caller tells failure from success by a non-empty reason.
QString reasonOf(const QFileDevice &file)
{
    const QString reason = file.errorString();
    return reason.isEmpty() ? QStringLiteral("neznama chyba") : reason;
}

// Copies the current file to its backup name, itself written atomically, so that at every
// moment both names hold a whole file.
QString copyPreviousVersion(const QString &path)
{
    QFile old(path);
    if (!old.open(QIODevice::ReadOnly))
        return reasonOf(old);
    QSaveFile backup(backupFileName(path));
    if (!backup.open(QIODevice::WriteOnly))
        return reasonOf(backup);
    // The old version is no more readable to others than the file was.
    backup.setPermissions(old.permissions());
    // In blocks: a file of a million records is a few hundred megabytes.
    QByteArray block(1 << 20, Qt::Uninitialized);
    for (;;) {
        const qint64 got = old.read(block.data(), block.size());
        if (got < 0)
            return reasonOf(old);
        if (got == 0)
            break;
        if (backup.write(block.constData(), got) != got)
            return reasonOf(backup);
    }
    if (!backup.commit())
        return reasonOf(backup);
    return {};
}

// Gives the current file its backup name as a second name, which costs next to nothing
// whatever its size; only where the file system has no hard links is it copied. The link is
// made under a name of its own and then renamed over the old backup, so that at every moment
// both names hold a whole file. Links follow a symbolic link to the file itself.
QString keepPreviousVersion(const QString &path)
{
    const QString backup = backupFileName(path);
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QByteArray linked = QFile::encodeName(
            backup + QStringLiteral(".%1").arg(QRandomGenerator::global()->generate(), 8, 16,
                                               QLatin1Char('0')));
        if (linkat(AT_FDCWD, QFile::encodeName(path).constData(), AT_FDCWD, linked.constData(),
                   AT_SYMLINK_FOLLOW) != 0) {
            if (errno == EEXIST)
                continue;
            break;
        }
        if (std::rename(linked.constData(), QFile::encodeName(backup).constData()) != 0) {
            const int error = errno;
            unlink(linked.constData());
            return QString::fromLocal8Bit(std::strerror(error));
        }
        return {};
    }
    return copyPreviousVersion(path);
}

} // namespace

QString backupFileName(const QString &path)
{
    return path + QLatin1Char('~');
}

FileLoad loadDatabaseFile(const QString &path)
{
    FileLoad load;
    const QFileInfo info(path);
    if (info.exists() && !info.isFile()) {
        load.error = notRegularFile();
        return load;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        load.error = reasonOf(file);
        return load;
    }
    DeviceSource source(file);
    load.result = NacitajDatabazu(source);
    if (source.failed())
        load.error = reasonOf(file);
    return load;
}

QString saveDatabaseFile(const QString &path, const ZoznamCD &zoznam)
{
    const QFileInfo info(path);
    // A device such as /dev/full is no place for a database, and the temporary file
    // would be renamed over the device itself.
    if (info.exists() && !info.isFile())
        return notRegularFile();

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return reasonOf(file);
    DeviceSink sink(file);
    if (!UlozDatabazu(sink, zoznam) || !sink.flush())
        return reasonOf(file); // the temporary file goes with `file`
    if (info.exists()) {
        if (QString reason = keepPreviousVersion(path); !reason.isEmpty())
            return QStringLiteral("zalohu %1 sa nepodarilo ulozit: %2")
                .arg(backupFileName(path), reason);
    }
    if (!file.commit())
        return reasonOf(file);
    return {};
}
