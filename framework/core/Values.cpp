#include "fw/Values.h"

#include "fw/Exceptions.h"
#include "fw/Runtime.h"

#include <charconv>
#include <memory>
#include <mutex>
#include <random>

namespace fw {

namespace {

    struct RandomState {
        std::mutex mutex;
        std::mt19937_64 generator { std::random_device {}() };
        std::shared_ptr<std::function<double()>> source;
    };

    RandomState& TheRandomState()
    {
        static RandomState state;
        return state;
    }

} // namespace

std::string RuntimeAddString(std::string_view left, std::string_view right)
{
    NotifyCall("RuntimeAddString");
    std::string joined;
    joined.reserve(left.size() + right.size());
    joined.append(left);
    joined.append(right);
    return joined;
}

std::string Chr(std::int64_t codePoint)
{
    NotifyCall("Chr");
    if (codePoint < 0 || codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF))
        throw RuntimeException("Chr: " + std::to_string(codePoint) + " is not a Unicode scalar value");
    const auto cp = static_cast<std::uint32_t>(codePoint);
    std::string text;
    if (cp < 0x80) {
        text += char(cp);
    } else if (cp < 0x800) {
        text += char(0xC0 | cp >> 6);
        text += char(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        text += char(0xE0 | cp >> 12);
        text += char(0x80 | (cp >> 6 & 0x3F));
        text += char(0x80 | (cp & 0x3F));
    } else {
        text += char(0xF0 | cp >> 18);
        text += char(0x80 | (cp >> 12 & 0x3F));
        text += char(0x80 | (cp >> 6 & 0x3F));
        text += char(0x80 | (cp & 0x3F));
    }
    return text;
}

std::string Str(std::int64_t value, std::string_view format)
{
    NotifyCall("Str");
    if (!format.empty())
        throw UnsupportedOperationException("Str: formats are not supported (format \"" + std::string(format) + "\")");
    char buffer[24];
    auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value);
    (void)error; // 20 digits and a sign always fit
    return std::string(buffer, end);
}

double Rnd()
{
    NotifyCall("Rnd");
    RandomState& state = TheRandomState();
    std::unique_lock lock(state.mutex);
    if (state.source) {
        // Called without the lock, so that a source may itself use the runtime;
        // the shared pointer keeps one source object, so its state carries over.
        auto source = state.source;
        lock.unlock();
        return (*source)();
    }
    // The top 53 bits fill a double's mantissa exactly, which keeps 1.0 out.
    return double(state.generator() >> 11) * 0x1.0p-53;
}

void SeedRnd(std::uint64_t seed)
{
    RandomState& state = TheRandomState();
    std::lock_guard lock(state.mutex);
    state.generator.seed(seed);
}

void SetRndSource(std::function<double()> source)
{
    RandomState& state = TheRandomState();
    std::lock_guard lock(state.mutex);
    state.source = source ? std::make_shared<std::function<double()>>(std::move(source)) : nullptr;
}

} // namespace fw
