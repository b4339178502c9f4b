// Objects behind handle values, for every kind of handle the platform gives out. Safe to use
// from any thread; a value is never given out twice, so a stale handle never reaches a newer
// object. Lookups hand out shared ownership: an object removed by one thread stays alive until
// another thread that is using it lets it go.
#pragma once
#include <cstdint>
#include <memory>
#include <mutex>
#include <unordered_map>
#include <vector>

namespace qv::kernel {

template <typename Object> class HandleMap {
public:
    // Values are multiples of four from first on, as Windows' handles are.
    explicit HandleMap(uintptr_t first) : next_(first) {}

    uintptr_t Add(std::shared_ptr<Object> object) {
        std::lock_guard lock(mutex_);
        uintptr_t value = next_;
        next_ += 4;
        objects_.emplace(value, std::move(object));
        return value;
    }

    // The object behind a value, or null.
    std::shared_ptr<Object> Find(uintptr_t value) const {
        std::lock_guard lock(mutex_);
        auto it = objects_.find(value);
        return it == objects_.end() ? nullptr : it->second;
    }

    // Removes a value and hands its object over, or null for an unknown value.
    std::shared_ptr<Object> Take(uintptr_t value) {
        std::lock_guard lock(mutex_);
        auto it = objects_.find(value);
        if (it == objects_.end())
            return nullptr;
        std::shared_ptr<Object> object = std::move(it->second);
        objects_.erase(it);
        return object;
    }

    std::vector<std::shared_ptr<Object>> TakeAll() {
        std::lock_guard lock(mutex_);
        std::vector<std::shared_ptr<Object>> all;
        for (auto& [value, object] : objects_)
            all.push_back(std::move(object));
        objects_.clear();
        return all;
    }

private:
    mutable std::mutex mutex_;
    std::unordered_map<uintptr_t, std::shared_ptr<Object>> objects_;
    uintptr_t next_;
};

} // namespace qv::kernel
