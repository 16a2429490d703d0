#pragma once

// Environments: named expressions that other expressions refer to by name. The global
// environment holds AppStartTime, AppStartDate and AppName; a report has one of its own
// with PAGENUMBER, COLUMNNUMBER and REPORTTITLE, whose values it changes per page through
// SetIntegerValue / SetStringValue without parsing again.

#include "reportengine/evaluator.h"

#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

namespace reportengine {

class TVREvEnvironment;

// One entry: its expression, evaluated by an evaluator of its own.
class TVREvEmbeddedFunction
{
public:
    explicit TVREvEmbeddedFunction(const QString &expression);
    ~TVREvEmbeddedFunction();

    // The entry's value; "Recursive calls not allowed" when it is asked for while being
    // evaluated (an entry that refers to itself, directly or through others).
    TVREvResult Value();
    void Reset() { m_evaluator.Reset(); }
    const QString &Expression() const { return m_expression; }
    TVREvaluator &Evaluator() { return m_evaluator; }
    bool Busy() const { return m_busy; }

private:
    TVREvaluator m_evaluator;
    QString m_expression;
    bool m_busy = false;
};

// A reference to an environment entry from another expression. When the entry has been
// deleted meanwhile, its value is "Unknown function : <name>".
class TVREvElementWrapper : public TVREvElement
{
public:
    TVREvElementWrapper(std::weak_ptr<TVREvEmbeddedFunction> entry, QString name)
        : m_entry(std::move(entry)), m_name(std::move(name))
    {
    }
    TVREvResult Value(TVRFiFo &queue) override;

private:
    std::weak_ptr<TVREvEmbeddedFunction> m_entry;
    QString m_name;
};

class TVREvEnvironment
{
public:
    TVREvEnvironment() = default;
    virtual ~TVREvEnvironment();
    TVREvEnvironment(const TVREvEnvironment &) = delete;
    TVREvEnvironment &operator=(const TVREvEnvironment &) = delete;

    // A new entry under the upper-cased name; a name already there keeps its expression.
    // In a prepared environment the new entry is prepared at once.
    void AddFunction(const QString &name, const QString &expression);
    void DeleteFunction(const QString &name);
    void Clear();

    // Counted: the entries are prepared on the first Prepare and unprepared when the
    // count returns to 0. An environment other than the global one holds the global one
    // prepared meanwhile, since its entries may refer to global entries.
    void Prepare();
    void UnPrepare();
    bool Prepared() const { return m_prepareCount > 0; }

    bool Contains(const QString &name) const;
    // A wrapper on the entry, or an error element "Unknown function : <name>".
    std::unique_ptr<TVREvElement> GetElement(const QString &name);
    // The entry's value, or an error for an unknown name.
    TVREvResult Value(const QString &name);
    // The first element of the entry's prepared queue; null when unprepared or unknown.
    TVREvElement *GetConstant(const QString &name);
    // Change an entry's constant value in place (only a constant or string element; other
    // elements are left alone).
    void SetStringValue(const QString &name, const QString &value);
    void SetIntegerValue(const QString &name, qint32 value);
    void SetValue(const QString &name, const TVREvResult &value);

    QStringList Names() const;
    int Count() const { return static_cast<int>(m_entries.size()); }

    // The data sets the entries' expressions may name (not owned).
    const QList<TVRDataSet *> &DataSets() const { return m_dataSets; }
    void SetDataSets(const QList<TVRDataSet *> &dataSets) { m_dataSets = dataSets; }

    // The entries' expressions in entry order (the stored "DATA" list), and reading it
    // back: the entry at each position gets the expression read.
    QStringList Data() const;
    void SetData(const QStringList &expressions);

private:
    struct Entry
    {
        QString name; // upper case
        std::shared_ptr<TVREvEmbeddedFunction> function;
    };
    int indexOf(const QString &name) const;
    void prepareEntry(Entry &entry);
    bool isGlobal() const;

    std::vector<Entry> m_entries;
    int m_prepareCount = 0;
    bool m_holdsGlobal = false;
    QList<TVRDataSet *> m_dataSets;
};

// The global environment; null before registration and after release.
TVREvEnvironment *GlobalEnvironment();

namespace detail {
// Used by the start-up registration.
void SetGlobalEnvironment(std::unique_ptr<TVREvEnvironment> environment);
} // namespace detail

} // namespace reportengine
