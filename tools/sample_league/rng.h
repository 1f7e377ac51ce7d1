// Deterministic random numbers for the sample league.
//
// The generator must give byte-identical leagues for one seed on every
// machine and library, so it never uses the standard distributions (their
// output is left to the library). Everything here is plain integer maths.
#pragma once

#include <cstdint>
#include <utility>

namespace sample {

// One step of splitmix64: used to spread seeds and to derive the seed of a
// sub-stream (a game, a team) from the league seed and a few numbers.
constexpr std::uint64_t splitmix(std::uint64_t x) {
    x += 0x9E3779B97F4A7C15ull;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
    return x ^ (x >> 31);
}

constexpr std::uint64_t mix_seed(std::uint64_t seed, std::uint64_t a, std::uint64_t b = 0) {
    return splitmix(splitmix(splitmix(seed) ^ a) ^ (b * 0xD1B54A32D192ED03ull));
}

// xoshiro256** with helpers for ranges, chances and rough bell curves.
class Rng {
public:
    explicit Rng(std::uint64_t seed) {
        for (auto& word : s_) {
            seed = splitmix(seed);
            word = seed;
        }
    }

    std::uint64_t next() {
        const std::uint64_t result = rotl(s_[1] * 5, 7) * 9;
        const std::uint64_t t = s_[1] << 17;
        s_[2] ^= s_[0];
        s_[3] ^= s_[1];
        s_[1] ^= s_[2];
        s_[0] ^= s_[3];
        s_[2] ^= t;
        s_[3] = rotl(s_[3], 45);
        return result;
    }

    // 0 <= result < n (n > 0), by the multiply-shift method.
    int below(int n) {
        return static_cast<int>((static_cast<unsigned __int128>(next()) * static_cast<unsigned>(n)) >> 64);
    }

    // lo <= result <= hi
    int range(int lo, int hi) { return lo + below(hi - lo + 1); }

    // 0 <= result < 1, 53 bits.
    double unit() { return static_cast<double>(next() >> 11) * (1.0 / 9007199254740992.0); }

    bool chance(double p) { return unit() < p; }

    // Roughly normal with mean 0 and deviation 1 (sum of four uniforms).
    double bell() { return (unit() + unit() + unit() + unit() - 2.0) * 1.7320508075688772; }

    template <class T, class Size>
    void shuffle(T* items, Size count) {
        for (Size i = count; i > 1; --i) {
            const Size j = static_cast<Size>(below(static_cast<int>(i)));
            std::swap(items[i - 1], items[j]);
        }
    }

private:
    static constexpr std::uint64_t rotl(std::uint64_t x, int k) { return (x << k) | (x >> (64 - k)); }
    std::uint64_t s_[4];
};

}  // namespace sample
