#pragma once

// The built-in functions of expressions and the aggregates.

#include "reportengine/evaluator.h"

namespace reportengine {

class TVREvIfFunction : public TVREvElementFunction
{
public:
    TVREvResult Calculate() override;
};

class TVREvStrFunction : public TVREvElementFunction
{
public:
    TVREvResult Calculate() override;
};

class TVREvUpperFunction : public TVREvElementFunction
{
public:
    TVREvResult Calculate() override;
};

class TVREvLowerFunction : public TVREvElementFunction
{
public:
    TVREvResult Calculate() override;
};

class TVREvPrettyFunction : public TVREvElementFunction
{
public:
    TVREvResult Calculate() override;
};

class TVREvTimeFunction : public TVREvElementFunction
{
public:
    TVREvResult Calculate() override;
};

class TVREvDateFunction : public TVREvElementFunction
{
public:
    TVREvResult Calculate() override;
};

class TVREvCopyFunction : public TVREvElementFunction
{
public:
    TVREvResult Calculate() override;
};

// SUM: the first value after Reset fixes the kind; later integers add (an overflow makes
// the sum an error), a float turns the sum into a float (the integers so far included), a
// string or an error makes it an error, a boolean is passed over. Integer 0 before any
// record.
class TVREvSumFunction : public TVREvElementFunction
{
public:
    TVREvSumFunction();
    void Reset() override;
    void Aggregate() override;
    TVREvResult Calculate() override;

protected:
    void AddValue(const TVREvResult &value);

    TVREvResult Sum;
    bool Started = false;
};

// COUNT: the number of records aggregated since Reset.
class TVREvCountFunction : public TVREvElementFunction
{
public:
    TVREvCountFunction();
    TVREvResult Value(TVRFiFo &queue) override;
    void Reset() override { Count = 0; }

    qint32 Count = 0;
};

// MAX and MIN: the first value after Reset is kept; a later one of a comparable kind
// (numbers with numbers, texts with texts by their code-page bytes, booleans with false
// below true) replaces it when larger / smaller; a value of another kind leaves it.
class TVREvExtremeFunction : public TVREvElementFunction
{
public:
    explicit TVREvExtremeFunction(bool maximum, const char *name);
    void Reset() override;
    void Aggregate() override;
    TVREvResult Calculate() override;

protected:
    TVREvResult Stored;
    bool Started = false;

private:
    bool m_maximum;
    const char *m_name;
};

class TVREvMaxFunction : public TVREvExtremeFunction
{
public:
    TVREvMaxFunction() : TVREvExtremeFunction(true, "MAX") {}
};

class TVREvMinFunction : public TVREvExtremeFunction
{
public:
    TVREvMinFunction() : TVREvExtremeFunction(false, "MIN") {}
};

// AVERAGE: the sum divided by the number of records, a float (float 0 before any record).
class TVREvAverageFunction : public TVREvSumFunction
{
public:
    TVREvAverageFunction();
    void Reset() override;
    void Aggregate() override;
    TVREvResult Calculate() override;

protected:
    qint32 Count = 0;
    TVREvResult Average;
};

class TVREvTrue : public TVREvElementFunction
{
public:
    TVREvResult Calculate() override;
};

class TVREvFalse : public TVREvElementFunction
{
public:
    TVREvResult Calculate() override;
};

class TVREvIntFunction : public TVREvElementFunction
{
public:
    TVREvResult Calculate() override;
};

class TVREvFracFunction : public TVREvElementFunction
{
public:
    TVREvResult Calculate() override;
};

class TVREvSQRTFunction : public TVREvElementFunction
{
public:
    TVREvResult Calculate() override;
};

class TVREvDivFunction : public TVREvElementFunction
{
public:
    TVREvResult Calculate() override;
};

class TVREvTypeOfFunction : public TVREvElementFunction
{
public:
    TVREvResult Calculate() override;
};

class TVREvFormatNumericFunction : public TVREvElementFunction
{
public:
    TVREvResult Calculate() override;
};

} // namespace reportengine
