#include "reportengine/vr_page_list.h"

#include "reportengine/vr_page_picture.h"

#include "platform/tarvelin_error.h"
#include "platform/text_file.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QMutexLocker>
#include <QThread>
#include <QThreadPool>
#include <QTreeWidget>
#include <QtEndian>

#include <atomic>
#include <chrono>
#include <cmath>
#include <cstring>
#include <future>

namespace reportengine {

namespace {

constexpr int kRecordOverhead = 12; // page number, forward link, backward link
constexpr int kMinPictureSize = 32; // a picture header alone
constexpr int kMetafileProbe = 44;  // enough of a payload to tell its kind
constexpr int kOutlineLevels = 32;

qint32 Int32At(const char *p)
{
    return qFromLittleEndian<qint32>(p);
}

QString ShownName(const QString &name)
{
    return QDir::toNativeSeparators(name);
}

[[noreturn]] void Refuse(const QString &text)
{
    throw platform::TarvelinError(text);
}

QString NotAReportText(const QString &name)
{
    return QStringLiteral("Plik nie jest zapisanym raportem albo jest pusty:\n%1").arg(ShownName(name));
}

QString WindowsPagesText(const QString &name)
{
    return QStringLiteral("Plik raportu zawiera strony zapisane w formacie Windows (EMF), "
                          "których ten program nie potrafi wyświetlić:\n%1")
        .arg(ShownName(name));
}

QString NewerFormatText(const QString &name)
{
    return QStringLiteral("Strony raportu zapisano w nowszym formacie, którego ta wersja programu "
                          "nie odczytuje:\n%1")
        .arg(ShownName(name));
}

// Reads count bytes at offset; false when the stream has fewer.
bool ReadAt(TVRStream &s, qint64 offset, char *buffer, qint64 count)
{
    if (s.Seek(offset, TVRSeekOrigin::Beginning) != offset)
        return false;
    return s.Read(buffer, count) == count;
}

bool Int32AtOffset(TVRStream &s, qint64 offset, qint32 &value)
{
    char b[4];
    if (!ReadAt(s, offset, b, 4))
        return false;
    value = Int32At(b);
    return true;
}

// A record whose page number is 1 and whose backward link points at headerSize.
bool RecordFitsHeader(TVRStream &s, qint64 size, int headerSize)
{
    qint32 number = 0, forward = 0, back = 0;
    if (!Int32AtOffset(s, headerSize, number) || number != 1)
        return false;
    if (!Int32AtOffset(s, headerSize + 4, forward))
        return false;
    if (forward < headerSize + kRecordOverhead || forward > size)
        return false;
    return Int32AtOffset(s, qint64(forward) - 4, back) && back == headerSize;
}

bool MetafileTagAt(TVRStream &s, qint64 offset)
{
    char b[4] = {};
    if (!ReadAt(s, offset, b, 4))
        return false;
    const QByteArray text(b, static_cast<qsizetype>(strnlen(b, 4)));
    return text == "EMF";
}

QString DamagedTextFor(const QString &displayName)
{
    if (displayName.isEmpty())
        return QStringLiteral("Strony raportu są uszkodzone.");
    return QStringLiteral("Plik raportu jest uszkodzony lub niekompletny:\n%1").arg(ShownName(displayName));
}

// The payload of a coded record: the picture's length and its code.
QByteArray EncodePayload(const QByteArray &picture)
{
    const QByteArray code = TVRCompress::CompressBytes(picture);
    QByteArray payload;
    payload.reserve(4 + code.size());
    payload.resize(4);
    qToLittleEndian<qint32>(static_cast<qint32>(picture.size()), payload.data());
    payload += code;
    return payload;
}

// What a decoder needs to know about the list; copied, so that it runs on any thread.
struct DecodeContext
{
    bool Compression = false;
    bool FromFile = false; // pages from a file are checked whole
    QString DisplayName;
};

QByteArray DecodePayload(const QByteArray &payload, const DecodeContext &ctx)
{
    QByteArray data;
    if (ctx.Compression) {
        if (payload.size() < 5)
            Refuse(DamagedTextFor(ctx.DisplayName));
        const qint64 count = Int32At(payload.constData());
        const qint64 codeSize = payload.size() - 4;
        // Every symbol costs at least one bit of code.
        if (count <= 0 || count > 8 * codeSize)
            Refuse(DamagedTextFor(ctx.DisplayName));
        qint64 consumed = 0;
        data = TVRCompress::ExpandBytes(payload.constData() + 4, codeSize, count, &consumed);
        if (consumed > codeSize)
            Refuse(DamagedTextFor(ctx.DisplayName));
    } else {
        data = payload;
    }
    if (IsWindowsMetafile(data))
        Refuse(WindowsPagesText(ctx.DisplayName));
    if (!IsReadablePagePicture(data, ctx.FromFile)) {
        if (data.size() >= 8 && data.startsWith("QPIC") && qFromBigEndian<quint16>(data.constData() + 6) > kPagePictureFormat)
            Refuse(NewerFormatText(ctx.DisplayName));
        Refuse(DamagedTextFor(ctx.DisplayName));
    }
    return data;
}

// Worker threads of the page coder. Pages in flight are bounded so that a fast report
// does not pile up pictures in memory faster than they are coded.
std::atomic<int> g_coderThreads{-1};

int CoderThreadCount()
{
    const int n = g_coderThreads.load();
    return n < 0 ? qMax(1, QThread::idealThreadCount()) : n;
}

QThreadPool &CoderPool()
{
    static QThreadPool pool;
    return pool;
}

} // namespace

class TVRPageList::CodingTask
{
public:
    explicit CodingTask(std::function<QByteArray()> work) : m_work(std::move(work)), m_result(m_done.get_future().share())
    {
    }

    // Does the work unless a coder thread took it already; only the first caller works.
    void Run()
    {
        if (m_claimed.exchange(true))
            return;
        try {
            m_done.set_value(m_work());
        } catch (...) {
            m_done.set_exception(std::current_exception());
        }
        m_work = nullptr;
    }

    bool Ready() const { return m_result.wait_for(std::chrono::seconds(0)) == std::future_status::ready; }

    // The result; a caller who would otherwise wait for a thread that has not begun
    // does the work itself.
    QByteArray Take()
    {
        Run();
        return m_result.get();
    }

private:
    std::atomic<bool> m_claimed{false};
    std::function<QByteArray()> m_work;
    std::promise<QByteArray> m_done;
    std::shared_future<QByteArray> m_result;
};

namespace {

// Hands work to a coder thread (with none, it is done at once).
std::shared_ptr<TVRPageList::CodingTask> RunOnCoder(std::function<QByteArray()> work)
{
    auto task = std::make_shared<TVRPageList::CodingTask>(std::move(work));
    const int threads = CoderThreadCount();
    if (threads == 0) {
        task->Run();
        return task;
    }
    QThreadPool &pool = CoderPool();
    if (pool.maxThreadCount() != threads)
        pool.setMaxThreadCount(threads);
    pool.start([task] { task->Run(); });
    return task;
}

int MaxPagesInFlight()
{
    return 4 * qMax(1, CoderThreadCount());
}

} // namespace

// ---------------------------------------------------------------------------------------
// TVROutline

void TVROutline::Clear()
{
    m_entries.clear();
}

void TVROutline::SetTreeView(QTreeWidget *tree)
{
    m_tree = tree;
    Rebuild();
}

void TVROutline::Rebuild()
{
    if (!m_tree)
        return;
    m_tree->setUpdatesEnabled(false);
    m_tree->clear();
    QTreeWidgetItem *parents[kOutlineLevels] = {};
    for (const TVROutlineEntry &e : m_entries) {
        const int level = qBound(0, e.Level, kOutlineLevels - 1);
        QTreeWidgetItem *parent = level > 0 ? parents[level - 1] : nullptr;
        auto *item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(m_tree);
        item->setText(0, e.Caption);
        item->setData(0, Qt::UserRole, e.Id);
        parents[level] = item;
    }
    m_tree->setUpdatesEnabled(true);
}

bool TVROutline::FindEntry(int id, QRect &rect, int &page) const
{
    for (const TVROutlineEntry &e : m_entries) {
        if (e.Id == id) {
            rect = e.Rect;
            page = e.Page;
            return true;
        }
    }
    rect = QRect();
    page = 0;
    return false;
}

// ---------------------------------------------------------------------------------------
// TVRPageList

TVRPageList::TVRPageList() = default;
// Pages still being coded need nothing of the list: their tasks own their bytes.
TVRPageList::~TVRPageList() = default;

void TVRPageList::SetCoderThreads(int threads)
{
    g_coderThreads = qMax(0, threads);
}

int TVRPageList::CoderThreads()
{
    return CoderThreadCount();
}

qint32 TVRPageList::PageCount() const
{
    QMutexLocker locker(&m_lock);
    return static_cast<qint32>(m_recordStarts.size() + m_pending.size());
}

void TVRPageList::SetStream(std::unique_ptr<TVRStream> stream)
{
    QMutexLocker locker(&m_lock);
    m_pending.clear();
    ForgetReadAhead();
    m_stream = std::move(stream);
    m_recordStarts.clear();
    m_headerSize = kPageFileHeaderSize;
    m_endOfRecords = kPageFileHeaderSize;
    m_creationTime = QDateTime();
    m_displayName.clear();
}

TVRStream *TVRPageList::Stream()
{
    QMutexLocker locker(&m_lock);
    WritePendingPages(true);
    return m_stream.get();
}

void TVRPageList::Clear()
{
    QMutexLocker locker(&m_lock);
    m_pending.clear();
    ForgetReadAhead();
    m_recordStarts.clear();
    m_endOfRecords = m_headerSize;
}

double TVRPageList::ToStoredTime(const QDateTime &t)
{
    const qint64 days = t.date().toJulianDay() - QDate(1899, 12, 30).toJulianDay();
    return double(days) + t.time().msecsSinceStartOfDay() / 86400000.0;
}

QDateTime TVRPageList::FromStoredTime(double v)
{
    if (!std::isfinite(v) || std::fabs(v) > 3.0e6)
        return QDateTime();
    const double day = std::floor(v);
    const qint64 msecs = std::llround((v - day) * 86400000.0);
    return QDateTime(QDate(1899, 12, 30).addDays(static_cast<qint64>(day)), QTime(0, 0)).addMSecs(msecs);
}

void TVRPageList::WriteHeader(qint32 pageCount)
{
    char h[kPageFileHeaderSize] = {};
    qToLittleEndian<qint16>(kPageFileTag, h);
    qToLittleEndian<qint16>(kPageFileVersion, h + 2);
    qToLittleEndian<qint32>(pageCount, h + 8);
    m_creationTime = QDateTime::currentDateTime();
    const double stamp = ToStoredTime(m_creationTime);
    quint64 bits;
    std::memcpy(&bits, &stamp, 8);
    qToLittleEndian<quint64>(bits, h + 16);
    h[25] = Compression ? 1 : 0;
    m_stream->Seek(0, TVRSeekOrigin::Beginning);
    m_stream->Write(h, kPageFileHeaderSize);
}

void TVRPageList::WriteRecord(qint32 number, const QByteArray &payload)
{
    TVRStreamLocker streamLock(*m_stream);
    const qint64 start = number == 1 ? kPageFileHeaderSize : m_endOfRecords;
    QByteArray record;
    record.resize(kRecordOverhead + payload.size());
    char *r = record.data();
    const qint64 next = start + record.size();
    qToLittleEndian<qint32>(number, r);
    qToLittleEndian<qint32>(static_cast<qint32>(next), r + 4);
    std::memcpy(r + 8, payload.constData(), payload.size());
    qToLittleEndian<qint32>(static_cast<qint32>(start), r + 8 + payload.size());

    try {
        if (number == 1) {
            m_headerSize = kPageFileHeaderSize;
            WriteHeader(1);
        }
        m_stream->Seek(start, TVRSeekOrigin::Beginning);
        m_stream->Write(record.constData(), record.size());
        // Pages of an earlier run on the same stream (after Clear) would otherwise stay
        // behind the last record and go into a saved file with it.
        if (m_stream->Size() > next)
            m_stream->Truncate(next);
    } catch (...) {
        // A half record must not stay behind to be counted or linked later.
        m_stream->Truncate(start);
        throw;
    }
    m_recordStarts.push_back(start);
    m_endOfRecords = next;
}

void TVRPageList::WritePendingPages(bool all)
{
    while (!m_pending.empty()) {
        PendingPage &front = m_pending.front();
        if (!all && !front.Payload->Ready() && static_cast<int>(m_pending.size()) <= MaxPagesInFlight())
            return;
        try {
            WriteRecord(front.Number, front.Payload->Take());
        } catch (...) {
            // The pages behind it cannot be linked to a record that is not there.
            m_pending.clear();
            throw;
        }
        m_pending.pop_front();
    }
}

void TVRPageList::AddPage(const QPicture &page)
{
    QMutexLocker locker(&m_lock);
    if (!m_stream)
        m_stream = std::make_unique<TVRStream>();
    const qint32 number = static_cast<qint32>(m_recordStarts.size() + m_pending.size()) + 1;
    const QByteArray picture(page.data(), page.size());
    if (!Compression) {
        WritePendingPages(true);
        WriteRecord(number, picture);
        return;
    }
    // Refused now rather than when the code is ready, so the page never counts.
    if (m_stream->ReadOnly())
        throw platform::TarvelinError(platform::FileAccessErrorText());
    PendingPage pending;
    pending.Number = number;
    pending.Picture = picture;
    pending.Payload = RunOnCoder([picture] { return EncodePayload(picture); });
    m_pending.push_back(std::move(pending));
    WritePendingPages(false);
}

void TVRPageList::Finish()
{
    QMutexLocker locker(&m_lock);
    if (!m_stream || m_stream->ReadOnly())
        return;
    WritePendingPages(true);
    TVRStreamLocker streamLock(*m_stream);
    WriteHeader(static_cast<qint32>(m_recordStarts.size()));
    m_stream->Seek(0, TVRSeekOrigin::End);
}

QString TVRPageList::DamagedText() const
{
    return DamagedTextFor(m_displayName);
}

bool TVRPageList::SeekToPage(int pageNumber)
{
    QMutexLocker locker(&m_lock);
    WritePendingPages(true);
    // Record starts are known from writing or from the check at load, so a lookup
    // never walks links it has not checked.
    if (!m_stream || pageNumber < 1 || pageNumber > static_cast<int>(m_recordStarts.size()))
        return false;
    const qint64 start = m_recordStarts[pageNumber - 1];
    return m_stream->Seek(start, TVRSeekOrigin::Beginning) == start;
}

QByteArray TVRPageList::ReadRecordPayload(int pageNumber)
{
    const qint64 start = m_recordStarts[pageNumber - 1];
    const qint64 size = m_stream->Size();
    char head[8];
    if (m_stream->Seek(start, TVRSeekOrigin::Beginning) != start || m_stream->Read(head, 8) != 8 ||
        Int32At(head) != pageNumber)
        Refuse(DamagedText());
    const qint64 next = Int32At(head + 4);
    if (next < start + kRecordOverhead || next > size)
        Refuse(DamagedText());
    QByteArray payload;
    payload.resize(next - start - kRecordOverhead);
    if (m_stream->Read(payload.data(), payload.size()) != payload.size())
        Refuse(DamagedText());
    qint32 back = 0;
    if (!m_stream->ReadInt32(back) || back != start)
        Refuse(DamagedText());
    return payload;
}

void TVRPageList::ForgetReadAhead()
{
    m_readAhead.clear();
}

void TVRPageList::StartReadAhead(int pageNumber)
{
    // The pages after the one asked for are decoded side by side while the caller works
    // on it; pages behind or far ahead of it are let go.
    const int ahead = CoderThreadCount();
    const int last = qMin(static_cast<int>(m_recordStarts.size()), pageNumber + ahead);
    for (auto it = m_readAhead.begin(); it != m_readAhead.end();)
        it = (it->first <= pageNumber || it->first > last) ? m_readAhead.erase(it) : std::next(it);
    if (ahead == 0)
        return;
    const DecodeContext ctx{Compression, m_stream->ReadOnly(), m_displayName};
    for (int n = pageNumber + 1; n <= last; ++n) {
        if (m_readAhead.count(n))
            continue;
        QByteArray payload;
        try {
            payload = ReadRecordPayload(n);
        } catch (const platform::TarvelinError &) {
            break; // told when that page is asked for
        }
        m_readAhead[n] = RunOnCoder([payload, ctx] { return DecodePayload(payload, ctx); });
    }
}

QByteArray TVRPageList::GetPageData(int pageNumber)
{
    QMutexLocker locker(&m_lock);
    const int written = static_cast<int>(m_recordStarts.size());
    if (!m_stream || pageNumber < 1 || pageNumber > written + static_cast<int>(m_pending.size()))
        return QByteArray();
    if (pageNumber > written) // still being coded: the picture is at hand
        return m_pending[pageNumber - written - 1].Picture;
    TVRStreamLocker streamLock(*m_stream);
    std::shared_ptr<CodingTask> ready;
    if (const auto it = m_readAhead.find(pageNumber); it != m_readAhead.end())
        ready = it->second;
    QByteArray payload;
    if (!ready)
        payload = ReadRecordPayload(pageNumber);
    if (Compression)
        StartReadAhead(pageNumber);
    m_stream->Seek(0, TVRSeekOrigin::End);
    if (ready)
        return ready->Take();
    return DecodePayload(payload, DecodeContext{Compression, m_stream->ReadOnly(), m_displayName});
}

std::unique_ptr<QPicture> TVRPageList::GetPage(int pageNumber)
{
    const QByteArray data = GetPageData(pageNumber);
    if (data.isEmpty())
        return nullptr;
    auto picture = std::make_unique<QPicture>(kPagePictureFormat);
    picture->setData(data.constData(), static_cast<uint>(data.size()));
    return picture;
}

int TVRPageList::DetectHeaderSize(TVRStream &stream)
{
    TVRStreamLocker lock(stream);
    const qint64 saved = stream.Position();
    const qint64 size = stream.Size();
    int result = kPageFileHeaderSize;
    if (RecordFitsHeader(stream, size, 128))
        result = 128;
    else if (RecordFitsHeader(stream, size, 124) || MetafileTagAt(stream, 173))
        result = 124;
    else if (RecordFitsHeader(stream, size, 96) || MetafileTagAt(stream, 145))
        result = 96;
    else if (size == 124 || size == 96)
        result = static_cast<int>(size); // a header without pages
    stream.Seek(saved, TVRSeekOrigin::Beginning);
    return result;
}

void TVRPageList::LoadFromFile(const QString &fileName)
{
    if (!QFileInfo::exists(fileName))
        Refuse(QStringLiteral("File does not exist"));
    LoadFromStream(TVRStream::CreateFromFile(fileName), fileName);
}

void TVRPageList::LoadFromStream(std::unique_ptr<TVRStream> stream, const QString &displayName)
{
    // Everything is checked on the new stream before the current pages are let go.
    TVRPageList probe;
    probe.m_displayName = displayName;
    probe.m_stream = std::move(stream);
    TVRStream &s = *probe.m_stream;
    const qint64 size = s.Size();
    if (size < 96)
        Refuse(NotAReportText(displayName));
    const int headerSize = DetectHeaderSize(s);
    if (size < headerSize)
        Refuse(NotAReportText(displayName));
    QByteArray header(headerSize, '\0');
    if (!ReadAt(s, 0, header.data(), headerSize))
        Refuse(probe.DamagedText());
    const char *h = header.constData();
    if (qFromLittleEndian<qint16>(h) != kPageFileTag || qFromLittleEndian<qint16>(h + 2) != kPageFileVersion)
        Refuse(NotAReportText(displayName));
    const qint32 count = Int32At(h + 8);
    const int timeOffset = headerSize == 124 ? 12 : 16;
    const int flagOffset = headerSize == 124 ? 21 : 25;
    quint64 bits = qFromLittleEndian<quint64>(h + timeOffset);
    double stamp;
    std::memcpy(&stamp, &bits, 8);
    probe.m_creationTime = FromStoredTime(stamp);
    probe.Compression = static_cast<uchar>(h[flagOffset]) == 1;
    probe.m_headerSize = headerSize;

    // The smallest record: 12 bytes of links and a coded page of at least 5 bytes.
    if (count < 0 || count > (size - headerSize) / (kRecordOverhead + 5))
        Refuse(probe.DamagedText());
    probe.m_recordStarts.reserve(count);
    qint64 start = headerSize;
    for (qint32 i = 1; i <= count; ++i) {
        char head[8];
        if (!ReadAt(s, start, head, 8) || Int32At(head) != i)
            Refuse(probe.DamagedText());
        const qint64 next = Int32At(head + 4);
        const qint64 payloadSize = next - start - kRecordOverhead;
        if (next > size || payloadSize < (probe.Compression ? 5 : kMinPictureSize))
            Refuse(probe.DamagedText());
        qint32 back = 0;
        if (!Int32AtOffset(s, next - 4, back) || back != start)
            Refuse(probe.DamagedText());
        if (probe.Compression) {
            qint32 plainSize = 0;
            if (!Int32AtOffset(s, start + 8, plainSize) || plainSize <= 0 || plainSize > 8 * (payloadSize - 4))
                Refuse(probe.DamagedText());
        } else {
            QByteArray probeBytes(qMin<qint64>(payloadSize, kMetafileProbe), '\0');
            if (!ReadAt(s, start + 8, probeBytes.data(), probeBytes.size()))
                Refuse(probe.DamagedText());
            if (IsWindowsMetafile(probeBytes))
                Refuse(WindowsPagesText(displayName));
            if (!probeBytes.startsWith("QPIC"))
                Refuse(probe.DamagedText());
            if (qFromBigEndian<quint16>(probeBytes.constData() + 6) > kPagePictureFormat)
                Refuse(NewerFormatText(displayName));
        }
        probe.m_recordStarts.push_back(start);
        start = next;
    }
    probe.m_endOfRecords = start;
    // The first page is read whole, so a file this build cannot show is refused now
    // rather than page by page in the preview.
    if (count > 0)
        (void)DecodePayload(probe.ReadRecordPayload(1), DecodeContext{probe.Compression, s.ReadOnly(), displayName});

    QMutexLocker locker(&m_lock);
    m_pending.clear();
    ForgetReadAhead();
    m_stream = std::move(probe.m_stream);
    m_recordStarts = std::move(probe.m_recordStarts);
    m_endOfRecords = probe.m_endOfRecords;
    m_headerSize = probe.m_headerSize;
    m_creationTime = probe.m_creationTime;
    m_displayName = displayName;
    Compression = probe.Compression;
    m_outline.Clear();
    m_outline.Rebuild();
}

bool TVRPageList::SaveToFile(const QString &fileName)
{
    QMutexLocker locker(&m_lock);
    if (!m_stream)
        return false;
    try {
        WritePendingPages(true);
    } catch (const platform::TarvelinError &) {
        return false;
    }
    const QString source = m_stream->SourceFileName();
    if (!source.isEmpty()) {
        const QFileInfo a(source), b(fileName);
        if (a.absoluteFilePath() == b.absoluteFilePath() ||
            (b.exists() && !a.canonicalFilePath().isEmpty() && a.canonicalFilePath() == b.canonicalFilePath()))
            return true; // the file already holds exactly these bytes
    }
    // Copied whole, then written as every file of the program is: nothing replaces the old
    // file until every byte is on the disk.
    QByteArray bytes;
    {
        QBuffer out(&bytes);
        out.open(QIODevice::WriteOnly);
        TVRStreamLocker streamLock(*m_stream);
        const bool copied = m_stream->SaveToStream(out);
        m_stream->Seek(0, TVRSeekOrigin::End);
        if (!copied)
            return false;
    }
    return platform::WriteFileAtomically(fileName, bytes);
}

} // namespace reportengine
