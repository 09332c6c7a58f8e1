#pragma once
// One event of the application object: a handler slot that remembers who
// handed the handler over, so a component can take back its own handler
// (and only its own) when it goes away.

#include <functional>
#include <utility>

namespace kelmora {

template <typename Signature>
class ApplicationEvent;

template <typename R, typename... Args>
class ApplicationEvent<R(Args...)> {
public:
    using Handler = std::function<R(Args...)>;

    // Assigned directly, as the program's own code does.
    ApplicationEvent& operator=(Handler handler) {
        handler_ = std::move(handler);
        giver_ = nullptr;
        return *this;
    }
    explicit operator bool() const { return static_cast<bool>(handler_); }

    // Nothing happens (and R{} comes back) while no handler is assigned.
    R operator()(Args... args) const {
        if (!handler_) return R();
        return handler_(std::forward<Args>(args)...);
    }

    // An earlier handler stays in place: `handler` goes in only into an empty slot.
    bool offer(Handler handler, const void* giver) {
        if (handler_ || !handler) return false;
        handler_ = std::move(handler);
        giver_ = giver;
        return true;
    }
    // Removes the handler `giver` offered, unless it has been replaced since.
    void withdraw(const void* giver) {
        if (giver_ && giver_ == giver) {
            handler_ = nullptr;
            giver_ = nullptr;
        }
    }

private:
    Handler handler_;
    const void* giver_ = nullptr;
};

}  // namespace kelmora
