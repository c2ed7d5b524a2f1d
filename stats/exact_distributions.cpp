// SPDX-License-Identifier: GPL-3.0-or-later
#include "stats/exact_distributions.h"

#include <boost/math/distributions/chi_squared.hpp>
#include <boost/math/distributions/fisher_f.hpp>
#include <boost/math/distributions/students_t.hpp>
#include <cmath>
#include <string>

#include "stats/arithmetic_error.h"
#include "text/messages.h"

namespace kestra {

namespace {

constexpr double kAlpha = 0.05;

void requireDf(double df, const char* what)
{
    if (!(std::isfinite(df) && df > 0))
        throw ArithmeticError::invalidArgument(
            Msg("%1 devono essere positivi (%2).", {Msg(what), std::to_string(df)}));
}

void requireProbability(double p)
{
    if (!(p > 0 && p < 1))
        throw ArithmeticError::invalidArgument(
            Msg("la probabilità deve essere compresa tra 0 e 1 (%1).", {std::to_string(p)}));
}

// Boost reports what it cannot evaluate by exceptions; the calculations know only ArithmeticError.
template <typename F>
double evaluate(F&& f)
{
    try {
        const double value = f();
        if (std::isnan(value))
            throw ArithmeticError::overflow("distribuzione non calcolabile per questi valori.");
        return value;
    } catch (const ArithmeticError&) {
        throw;
    } catch (const std::exception& e) {
        throw ArithmeticError::overflow(
            Msg("distribuzione non calcolabile per questi valori (%1).", {e.what()}));
    }
}

}  // namespace

double StudentQuantile(double p, double df)
{
    requireDf(df, "i gradi di libertà del t di Student");
    requireProbability(p);
    return evaluate(
        [&] { return boost::math::quantile(boost::math::students_t_distribution<double>(df), p); });
}

double StudentCritical95(double df)
{
    requireDf(df, "i gradi di libertà del t di Student");
    return evaluate([&] {
        return boost::math::quantile(
            boost::math::complement(boost::math::students_t_distribution<double>(df), kAlpha / 2));
    });
}

double StudentTwoSidedP(double t, double df)
{
    requireDf(df, "i gradi di libertà del t di Student");
    if (std::isnan(t)) throw ArithmeticError::invalidArgument("il valore di t non è un numero.");
    if (std::isinf(t)) return 0.0;
    return evaluate([&] {
        // the upper tail of |t| directly: 1 - cdf would lose every digit of a small p
        return 2.0 * boost::math::cdf(boost::math::complement(
                         boost::math::students_t_distribution<double>(df), std::fabs(t)));
    });
}

double FisherQuantile(double p, double df1, double df2)
{
    requireDf(df1, "i gradi di libertà del numeratore di F");
    requireDf(df2, "i gradi di libertà del denominatore di F");
    requireProbability(p);
    return evaluate(
        [&] { return boost::math::quantile(boost::math::fisher_f_distribution<double>(df1, df2), p); });
}

double FisherCritical95(double df1, double df2)
{
    requireDf(df1, "i gradi di libertà del numeratore di F");
    requireDf(df2, "i gradi di libertà del denominatore di F");
    return evaluate([&] {
        return boost::math::quantile(
            boost::math::complement(boost::math::fisher_f_distribution<double>(df1, df2), kAlpha));
    });
}

double FisherUpperTail(double f, double df1, double df2)
{
    requireDf(df1, "i gradi di libertà del numeratore di F");
    requireDf(df2, "i gradi di libertà del denominatore di F");
    if (std::isnan(f)) throw ArithmeticError::invalidArgument("il valore di F non è un numero.");
    if (f <= 0) return 1.0;
    if (std::isinf(f)) return 0.0;
    return evaluate([&] {
        return boost::math::cdf(
            boost::math::complement(boost::math::fisher_f_distribution<double>(df1, df2), f));
    });
}

double ChiSquareQuantile(double p, double df)
{
    requireDf(df, "i gradi di libertà del chi quadrato");
    requireProbability(p);
    return evaluate(
        [&] { return boost::math::quantile(boost::math::chi_squared_distribution<double>(df), p); });
}

double ChiSquareUpperTail(double x, double df)
{
    requireDf(df, "i gradi di libertà del chi quadrato");
    if (std::isnan(x)) throw ArithmeticError::invalidArgument("il valore del chi quadrato non è un numero.");
    if (x <= 0) return 1.0;
    if (std::isinf(x)) return 0.0;
    return evaluate([&] {
        return boost::math::cdf(
            boost::math::complement(boost::math::chi_squared_distribution<double>(df), x));
    });
}

double GrubbsCritical05(int n)
{
    if (n < 3) throw ArithmeticError::invalidArgument("il test di Grubbs richiede almeno 3 valori.");
    const double t = StudentQuantile(1.0 - kAlpha / (2.0 * n), n - 2.0);
    const double t2 = t * t;
    return (n - 1.0) / std::sqrt(static_cast<double>(n)) * std::sqrt(t2 / (n - 2.0 + t2));
}

double CochranCritical05(int k, int n)
{
    if (k < 2) throw ArithmeticError::invalidArgument("il test di Cochran richiede almeno 2 serie.");
    if (n < 2) throw ArithmeticError::invalidArgument("il test di Cochran richiede almeno 2 dati per serie.");
    const double f = FisherQuantile(1.0 - kAlpha / k, n - 1.0, (k - 1.0) * (n - 1.0));
    return 1.0 / (1.0 + (k - 1.0) / f);
}

}  // namespace kestra
