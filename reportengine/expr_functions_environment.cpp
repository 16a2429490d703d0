#include "reportengine/expr_functions_environment.h"

#include "reportengine/expr_functions_library.h"

namespace reportengine {

namespace {
std::unique_ptr<TVREvEnvironment> g_environment;
} // namespace

TVREvEnvironment *GlobalEnvironment()
{
    return g_environment.get();
}

namespace detail {
void SetGlobalEnvironment(std::unique_ptr<TVREvEnvironment> environment)
{
    // The old one goes first, while GlobalEnvironment() no longer names it.
    std::unique_ptr<TVREvEnvironment> old = std::move(g_environment);
    old.reset();
    g_environment = std::move(environment);
}
} // namespace detail

// ---------------------------------------------------------------------------------------

TVREvEmbeddedFunction::TVREvEmbeddedFunction(const QString &expression)
    : m_expression(expression)
{
    m_evaluator.m_entryEvaluator = true;
}

TVREvEmbeddedFunction::~TVREvEmbeddedFunction() = default;

TVREvResult TVREvEmbeddedFunction::Value()
{
    if (m_busy)
        return TVREvResult::MakeError(msg::RecursiveCall());
    if (!m_evaluator.Prepared())
        return TVREvResult::MakeError(msg::NotPrepared());
    // Entries that refer to one another in a long chain would nest one evaluation in the
    // next; refuse a chain deeper than any expression may nest.
    static int chainDepth = 0;
    if (chainDepth >= TVREvaluator::MaxNesting)
        return TVREvResult::MakeError(msg::NestedTooDeeply());
    // Cleared however the evaluation ends, or one failure would make every later use of
    // the entry a "recursive call".
    struct BusyGuard
    {
        bool &busy;
        int &depth;
        BusyGuard(bool &flag, int &chain) : busy(flag), depth(chain)
        {
            busy = true;
            ++depth;
        }
        ~BusyGuard()
        {
            busy = false;
            --depth;
        }
    } guard(m_busy, chainDepth);
    return m_evaluator.Value();
}

TVREvResult TVREvElementWrapper::Value(TVRFiFo &)
{
    const std::shared_ptr<TVREvEmbeddedFunction> entry = m_entry.lock();
    if (!entry)
        return TVREvResult::MakeError(msg::UnknownFunction(m_name));
    return entry->Value();
}

// ---------------------------------------------------------------------------------------

TVREvEnvironment::~TVREvEnvironment()
{
    Clear();
    if (m_holdsGlobal) {
        m_holdsGlobal = false;
        if (TVREvEnvironment *global = GlobalEnvironment(); global && global != this)
            global->UnPrepare();
    }
}

int TVREvEnvironment::indexOf(const QString &name) const
{
    for (size_t i = 0; i < m_entries.size(); ++i)
        if (m_entries[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return static_cast<int>(i);
    return -1;
}

bool TVREvEnvironment::Contains(const QString &name) const
{
    return indexOf(name) >= 0;
}

void TVREvEnvironment::prepareEntry(Entry &entry)
{
    TVREvaluator &ev = entry.function->Evaluator();
    ev.SetDataSets(m_dataSets);
    ev.SetEnvironment(this);
    ev.Prepare(entry.function->Expression());
}

void TVREvEnvironment::AddFunction(const QString &name, const QString &expression)
{
    const QString upper = name.toUpper();
    if (indexOf(upper) >= 0)
        return;
    m_entries.push_back({upper, std::make_shared<TVREvEmbeddedFunction>(expression)});
    if (Prepared())
        prepareEntry(m_entries.back());
}

void TVREvEnvironment::DeleteFunction(const QString &name)
{
    const int i = indexOf(name);
    if (i >= 0)
        m_entries.erase(m_entries.begin() + i);
}

void TVREvEnvironment::Clear()
{
    while (!m_entries.empty())
        m_entries.pop_back(); // last entry first
}

void TVREvEnvironment::Prepare()
{
    ++m_prepareCount;
    if (m_prepareCount != 1)
        return;
    if (this != GlobalEnvironment()) {
        RegisterExpressionFunctions();
        if (TVREvEnvironment *global = GlobalEnvironment()) {
            global->Prepare();
            m_holdsGlobal = true;
        }
    }
    for (Entry &e : m_entries)
        prepareEntry(e);
}

void TVREvEnvironment::UnPrepare()
{
    if (m_prepareCount == 0)
        return;
    --m_prepareCount;
    if (m_prepareCount != 0)
        return;
    for (Entry &e : m_entries)
        e.function->Evaluator().UnPrepare();
    if (m_holdsGlobal) {
        m_holdsGlobal = false;
        if (TVREvEnvironment *global = GlobalEnvironment(); global && global != this)
            global->UnPrepare();
    }
}

std::unique_ptr<TVREvElement> TVREvEnvironment::GetElement(const QString &name)
{
    const int i = indexOf(name);
    if (i < 0)
        return std::make_unique<TVREvElementError>(msg::UnknownFunction(name));
    return std::make_unique<TVREvElementWrapper>(m_entries[static_cast<size_t>(i)].function,
                                                 m_entries[static_cast<size_t>(i)].name);
}

TVREvResult TVREvEnvironment::Value(const QString &name)
{
    const int i = indexOf(name);
    if (i < 0)
        return TVREvResult::MakeError(msg::UnknownFunction(name));
    // Held for the evaluation, in case the entry is deleted meanwhile.
    const std::shared_ptr<TVREvEmbeddedFunction> f = m_entries[static_cast<size_t>(i)].function;
    return f->Value();
}

TVREvElement *TVREvEnvironment::GetConstant(const QString &name)
{
    const int i = indexOf(name);
    if (i < 0)
        return nullptr;
    TVRFiFo *queue = m_entries[static_cast<size_t>(i)].function->Evaluator().Queue();
    if (!queue || queue->Elements.empty())
        return nullptr;
    return queue->Elements.front().get();
}

void TVREvEnvironment::SetStringValue(const QString &name, const QString &value)
{
    if (auto *s = dynamic_cast<TVREvElementString *>(GetConstant(name)))
        s->Text = value;
}

void TVREvEnvironment::SetIntegerValue(const QString &name, qint32 value)
{
    if (auto *c = dynamic_cast<TVREvElementConstant *>(GetConstant(name)))
        c->Result = TVREvResult::FromInteger(value);
}

void TVREvEnvironment::SetValue(const QString &name, const TVREvResult &value)
{
    TVREvElement *e = GetConstant(name);
    if (auto *c = dynamic_cast<TVREvElementConstant *>(e)) {
        c->Result = value;
    } else if (auto *s = dynamic_cast<TVREvElementString *>(e)) {
        if (value.Kind == TVREvKind::String)
            s->Text = value.Text;
    }
}

QStringList TVREvEnvironment::Names() const
{
    QStringList names;
    for (const Entry &e : m_entries)
        names << e.name;
    return names;
}

QStringList TVREvEnvironment::Data() const
{
    QStringList data;
    for (const Entry &e : m_entries)
        data << e.function->Expression();
    return data;
}

void TVREvEnvironment::SetData(const QStringList &expressions)
{
    const qsizetype n = std::min<qsizetype>(expressions.size(), static_cast<qsizetype>(m_entries.size()));
    for (qsizetype i = 0; i < n; ++i) {
        Entry &e = m_entries[static_cast<size_t>(i)];
        e.function = std::make_shared<TVREvEmbeddedFunction>(expressions[i]);
        if (Prepared())
            prepareEntry(e);
    }
}

} // namespace reportengine
