#include "storage/form_definitions.h"

#include <utility>

namespace storage {

TPomiarWart::TPomiarWart(int nr, QString wartosc) : nr(nr), wartosc(std::move(wartosc))
{
}

TPomiar::TPomiar() : m_definition(std::make_shared<TFieldDefinition>())
{
}

TPomiar::TPomiar(TFieldDefinition definition, TFieldState state)
    : TFieldState(std::move(state)), m_definition(std::make_shared<TFieldDefinition>(std::move(definition)))
{
}

TFieldDefinition &TPomiar::EditDefinition()
{
    if (m_definition.use_count() > 1)
        m_definition = std::make_shared<TFieldDefinition>(*m_definition);
    return *m_definition;
}

std::unique_ptr<TPomiar> TPomiar::Clone() const
{
    return std::unique_ptr<TPomiar>(new TPomiar(*this));
}

bool TPomiar::SameAs(const TPomiar &o) const
{
    return static_cast<const TFieldState &>(*this) == o &&
           (m_definition == o.m_definition || *m_definition == *o.m_definition);
}

TPomiarList CloneFields(const TPomiarList &fields)
{
    TPomiarList out;
    out.reserve(fields.size());
    for (const auto &f : fields)
        out.push_back(f->Clone());
    return out;
}

TPomiar *FindField(const TPomiarList &fields, const QString &nazwa)
{
    for (const auto &f : fields)
        if (f->nazwa() == nazwa)
            return f.get();
    return nullptr;
}

bool SameFields(const TPomiarList &a, const TPomiarList &b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (!a[i]->SameAs(*b[i]))
            return false;
    return true;
}

} // namespace storage
