#include "framework/extended_values.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "stats/exact_distributions.h"

namespace kestra {

namespace {

ExtendedValue makeValue(std::string key, BilingualText name, ExtendedValue::Type type, BilingualText note)
{
    ExtendedValue v;
    v.key = std::move(key);
    v.nameIt = std::move(name.it);
    v.nameEn = std::move(name.en);
    v.type = type;
    v.noteIt = std::move(note.it);
    v.noteEn = std::move(note.en);
    return v;
}

}  // namespace

ExtendedValue NumberValue(std::string key, BilingualText name, std::optional<double> number,
                          BilingualText note)
{
    ExtendedValue v =
        makeValue(std::move(key), std::move(name), ExtendedValue::Type::Number, std::move(note));
    if (number && std::isfinite(*number)) v.number = number;
    return v;
}

ExtendedValue IntegerValue(std::string key, BilingualText name, std::optional<int> number, BilingualText note)
{
    ExtendedValue v =
        makeValue(std::move(key), std::move(name), ExtendedValue::Type::Integer, std::move(note));
    if (number) v.number = static_cast<double>(*number);
    return v;
}

ExtendedValue ArrayValue(std::string key, BilingualText name, std::vector<double> numbers, BilingualText note)
{
    ExtendedValue v = makeValue(std::move(key), std::move(name), ExtendedValue::Type::Array, std::move(note));
    if (std::all_of(numbers.begin(), numbers.end(), [](double x) { return std::isfinite(x); }))
        v.numbers = std::move(numbers);
    return v;
}

ExtendedValue ArrayValueWithGaps(std::string key, BilingualText name,
                                 const std::vector<std::optional<double>>& numbers, BilingualText note)
{
    ExtendedValue v = makeValue(std::move(key), std::move(name), ExtendedValue::Type::Array, std::move(note));
    for (const std::optional<double>& x : numbers)
        v.numbers.push_back(x && std::isfinite(*x) ? *x : std::numeric_limits<double>::quiet_NaN());
    return v;
}

ExtendedValue WithNoiseScale(ExtendedValue value, double scale)
{
    value.noiseScale = std::fabs(scale);
    return value;
}

std::vector<ExtendedValue> ExactCounterpartValues(const ExactCounterparts& c)
{
    std::optional<double> t, f;
    if (c.tDf) t = StudentCritical95(*c.tDf);
    if (c.fDf1 && c.fDf2) f = FisherCritical95(*c.fDf1, *c.fDf2);
    return {
        NumberValue("t_critical_exact", {"t critico esatto (95 %)", "Exact critical t (95 %)"}, t, c.tNote),
        NumberValue("f_critical_exact", {"F critico esatto (95 %)", "Exact critical F (95 %)"}, f, c.fNote),
        NumberValue("p_exact", {"p esatto del test principale", "Exact p of the main test"}, c.p, c.pNote)};
}

}  // namespace kestra
