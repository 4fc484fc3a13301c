#pragma once
// The slot behind each platform service (messages, dialogs, printer, main
// surface, clock, serial port): the service set in place, else the one
// fallback its module names. The fallback is made at its first use and never
// destroyed, so a service may be asked for from a static destructor, and no
// fallback holding a Qt object (the system serial port) is torn down after
// the application object has gone.

namespace zuv {

template <typename Service, typename Fallback>
class ServiceHolder {
public:
    constexpr ServiceHolder() = default;
    ServiceHolder(const ServiceHolder&) = delete;
    ServiceHolder& operator=(const ServiceHolder&) = delete;

    Service& get() const { return chosen_ ? *chosen_ : fallback(); }
    // nullptr puts the fallback back.
    void set(Service* service) { chosen_ = service; }

    static Fallback& fallback()
    {
        static Fallback* const instance = new Fallback;
        return *instance;
    }

private:
    Service* chosen_ = nullptr;
};

} // namespace zuv
