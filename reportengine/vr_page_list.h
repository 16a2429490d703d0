#pragma once

// The finished pages of one report run, and the stored report file (".VRP") that is a
// byte copy of them.
//
// File layout (all container integers little-endian):
//   header, 128 bytes: int16 3, int16 40, zeros, int32 page count at 8, float64
//   creation time at 16 (days since 1899-12-30, local time), byte 25 = 1 when pages are
//   coded; every other byte zero. Older files have a 124-byte header (time at 12, flag
//   at 21) or a 96-byte one (the first 96 bytes of the 128-byte layout).
//   records back to back: int32 page number, int32 absolute offset of the next record,
//   payload, int32 absolute offset of this record.
//   payload: the page picture's bytes, or, coded, an int32 count of picture bytes and
//   the code (a fresh TVRCompress per page).

#include "reportengine/vr_stream.h"

#include <QDateTime>
#include <QPicture>
#include <QPointer>
#include <QTreeWidget>
#include <QRect>
#include <QRecursiveMutex>
#include <QString>

#include <deque>
#include <map>
#include <memory>
#include <vector>


namespace reportengine {

constexpr int kPageFileHeaderSize = 128;
constexpr qint16 kPageFileTag = 3;
constexpr qint16 kPageFileVersion = 40;
// Extension of stored report files.
inline constexpr char kPageFileExtension[] = "VRP";

struct TVROutlineEntry
{
    QString Caption;
    int Level = 0;
    QRect Rect;
    int Page = 0;
    int Id = 0;
};

class TVROutline
{
public:
    void Add(const TVROutlineEntry &entry) { m_entries.push_back(entry); }
    void Clear();
    const std::vector<TVROutlineEntry> &Entries() const { return m_entries; }

    // The tree that shows the entries (not owned); setting it rebuilds the tree.
    void SetTreeView(QTreeWidget *tree);
    QTreeWidget *TreeView() const { return m_tree; }
    void Rebuild();
    // First entry with the identifier: its rectangle and page; an empty rectangle and
    // page 0 (and false) when none matches.
    bool FindEntry(int id, QRect &rect, int &page) const;

private:
    std::vector<TVROutlineEntry> m_entries;
    QPointer<QTreeWidget> m_tree;
};

// Coded pages are coded and decoded on worker threads: AddPage hands the page to a
// coder and returns; the records go into the stream in page order as their code is
// ready, so the stream holds exactly what a one-thread run would write. Reading a
// coded page decodes the pages after it ahead. Every page starts from a fresh coder,
// as it always did, which is what lets pages be coded side by side.
class TVRPageList
{
public:
    TVRPageList();
    ~TVRPageList();
    TVRPageList(const TVRPageList &) = delete;
    TVRPageList &operator=(const TVRPageList &) = delete;

    // When true, pages are written coded. A loaded file sets it from its header.
    bool Compression = false;

    // Pages added, whether their record is written yet or still being coded.
    qint32 PageCount() const;
    // The printer hands over a fresh stream at the start of a run; the list owns it.
    void SetStream(std::unique_ptr<TVRStream> stream);
    // The stream with every page added so far written into it.
    TVRStream *Stream();

    // Appends one page. A failed write removes the partial record and throws
    // platform::TarvelinError; a coded page that could not be written takes the pages
    // still waiting behind it with it, and the call that wrote it (a later AddPage,
    // Finish, a read or a save) throws.
    void AddPage(const QPicture &page);
    // A new picture the caller owns, or nullptr for a number outside 1..PageCount.
    // Throws platform::TarvelinError when the record is damaged.
    std::unique_ptr<QPicture> GetPage(int pageNumber);
    // The picture bytes of a page (empty for a number outside 1..PageCount).
    QByteArray GetPageData(int pageNumber);
    // Puts the stream at the start of page N's record; false (and nothing moved) for a
    // number outside 1..PageCount.
    bool SeekToPage(int pageNumber);
    // Writes the header again with the final page count.
    void Finish();
    // PageCount := 0 (the stream is released by its owner or the next SetStream).
    void Clear();

    // Opens and checks the whole file first; the current pages stay when it is refused
    // (platform::TarvelinError with the reason).
    void LoadFromFile(const QString &fileName);
    void LoadFromStream(std::unique_ptr<TVRStream> stream, const QString &displayName = QString());
    // Writes through a temporary file renamed over the target; saving a loaded file
    // onto itself leaves it as it is. Returns success.
    bool SaveToFile(const QString &fileName);

    // Header size of the current stream (128, 124 or 96).
    int HeaderSize() const { return m_headerSize; }
    QDateTime CreationTime() const { return m_creationTime; }

    void LockList() { m_lock.lock(); }
    void UnlockList() { m_lock.unlock(); }

    TVROutline &Outline() { return m_outline; }

    // Header size of a stored report stream, decided by the record structure first and
    // then by where a Windows metafile signature sits; the position is kept.
    static int DetectHeaderSize(TVRStream &stream);
    // The creation time as stored: days since 1899-12-30 with the time as fraction.
    static double ToStoredTime(const QDateTime &t);
    static QDateTime FromStoredTime(double v);

    // Worker threads that code and decode pages (all lists share them); 0 codes on the
    // calling thread. The default is the machine's core count.
    static void SetCoderThreads(int threads);
    static int CoderThreads();

    // One page coded or decoded on a coder thread, or by whoever needs it first.
    class CodingTask;

private:
    struct PendingPage
    {
        qint32 Number = 0;
        QByteArray Picture;
        std::shared_ptr<CodingTask> Payload;
    };

    QByteArray ReadRecordPayload(int pageNumber);
    void WriteHeader(qint32 pageCount);
    void WriteRecord(qint32 number, const QByteArray &payload);
    // Writes the records of coded pages whose code is ready, in page order; with all,
    // waits for every page still being coded.
    void WritePendingPages(bool all);
    void StartReadAhead(int pageNumber);
    void ForgetReadAhead();
    QString DamagedText() const;

    mutable QRecursiveMutex m_lock;
    std::unique_ptr<TVRStream> m_stream;
    std::vector<qint64> m_recordStarts; // record i+1 starts at m_recordStarts[i]
    qint64 m_endOfRecords = 0;          // start of the record after the last one
    int m_headerSize = kPageFileHeaderSize;
    QDateTime m_creationTime;
    QString m_displayName;
    TVROutline m_outline;
    std::deque<PendingPage> m_pending;
    std::map<int, std::shared_ptr<CodingTask>> m_readAhead;
};

} // namespace reportengine
