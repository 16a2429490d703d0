#pragma once

// The controller walks the records of a report or of a sub-detail and decides which
// band prints when: its header once, then per record the changed groups' headers, the
// sub-details printed before the detail, the detail, the sub-details after it and the
// changed groups' footers, and at the end the open groups' footers and its footer.
//
// Records come from a data set (first to last) or from an OnNeedData handler. The
// handler is asked once with MoreData true before the first record and, after every
// record, with MoreData false: it sets MoreData to true when it has made another
// record current.
//
// Expression labels that aggregate over the records register with the controller of
// their master; it hands them each record once (operation 0) with a serial number
// unique to that record, so a record is never counted twice, however often it is
// announced.

#include <QObject>

#include <functional>
#include <vector>

namespace reportengine {

class TVelRep;
class TVRCustomBand;
class TVRGroup;
class TVRPrintable;
class TVRReportDataSet;

class TVRController
{
public:
    using TVROnNeedDataEvent = std::function<void(QObject *sender, bool &moreData)>;

    // owner: the report or the sub-detail band, the sender of OnNeedData.
    explicit TVRController(QObject *owner);

    QObject *Owner() const { return m_owner; }
    TVelRep *ParentReport = nullptr;
    bool PrintIfEmpty = true;
    bool PrintBefore = false;
    TVRReportDataSet *DataSet = nullptr;
    TVROnNeedDataEvent OnNeedData;
    TVRCustomBand *Header = nullptr;
    TVRCustomBand *Detail = nullptr;
    TVRCustomBand *Footer = nullptr;
    // Records of the current walk so far.
    int DetailNumber = 0;

    // Set up for a run: the sub-controllers and groups below this one (in band order),
    // with nothing registered for aggregation.
    std::vector<TVRController *> BeforeControllers;
    std::vector<TVRController *> AfterControllers;
    std::vector<TVRGroup *> Groups;

    void Prepare();
    void Unprepare();
    // The detail loop.
    void Execute();
    // Header, sub-details, detail and footer once, for a walk without records.
    void PrintEmpty();
    // The controller's bands in print order, for the report's band list.
    void RegisterBands(std::vector<TVRCustomBand *> &bands) const;
    // Prints again, at the top of a new page or column, the headers of groups that
    // ask for it (here and below).
    void ReprintGroupHeaders();

    // Aggregation: controls receive operation 0 for every record.
    void AddClient(TVRPrintable *client);
    void RemoveClients() { m_clients.clear(); }
    void NotifyClients(int operation);
    // The serial of the current record; 0 before the first record of a walk.
    quint64 RecordSerial() const { return m_serial; }

private:
    bool CheckGroups();
    void PrintGroupHeaders();
    void PrintGroupFooters();
    bool Cancelled() const;

    QObject *m_owner;
    std::vector<TVRPrintable *> m_clients;
    quint64 m_serial = 0;
};

} // namespace reportengine
