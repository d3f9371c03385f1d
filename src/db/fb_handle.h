// Ownership of Firebird client interfaces. Each handle ends its object the
// proper way (detach, roll back, free, close) when it goes out of scope, also
// while an exception unwinds; failures at that point are swallowed.
#pragma once

#include <firebird/Interface.h>

#include <utility>

namespace db::fb {

inline Firebird::IMaster* master() noexcept { return Firebird::fb_get_master_interface(); }

// How each kind of interface is ended when its owner lets go of it.
void finish(Firebird::IAttachment* p) noexcept;   // detach
void finish(Firebird::ITransaction* p) noexcept;  // roll back
void finish(Firebird::IStatement* p) noexcept;    // free
void finish(Firebird::IResultSet* p) noexcept;    // close
void finish(Firebird::IBlob* p) noexcept;         // close
inline void finish(Firebird::IReferenceCounted* p) noexcept { p->release(); }
inline void finish(Firebird::IDisposable* p) noexcept { p->dispose(); }

template <class T>
class Handle {
public:
    Handle() noexcept = default;
    explicit Handle(T* p) noexcept : p_(p) {}
    ~Handle() { reset(); }
    Handle(Handle&& o) noexcept : p_(std::exchange(o.p_, nullptr)) {}
    Handle& operator=(Handle&& o) noexcept {
        if (this != &o) {
            reset();
            p_ = std::exchange(o.p_, nullptr);
        }
        return *this;
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;

    T* get() const noexcept { return p_; }
    T* operator->() const noexcept { return p_; }
    explicit operator bool() const noexcept { return p_ != nullptr; }

    void reset(T* p = nullptr) noexcept {
        if (p_) finish(p_);
        p_ = p;
    }
    // Gives up ownership, e.g. after commit() or detach() succeeded: those
    // calls release the interface themselves.
    T* release() noexcept { return std::exchange(p_, nullptr); }

private:
    T* p_ = nullptr;
};

// A second reference to an interface someone else owns, for an object that
// may outlive the owner's use of it (a result reading in the caller's
// transaction after the caller committed gets an error, not a dangling pointer).
template <class T>
class Ref {
public:
    Ref() noexcept = default;
    explicit Ref(T* p) noexcept : p_(p) {
        if (p_) p_->addRef();
    }
    ~Ref() {
        if (p_) p_->release();
    }
    Ref(Ref&& o) noexcept : p_(std::exchange(o.p_, nullptr)) {}
    Ref& operator=(Ref&& o) noexcept {
        if (this != &o) {
            if (p_) p_->release();
            p_ = std::exchange(o.p_, nullptr);
        }
        return *this;
    }
    Ref(const Ref&) = delete;
    Ref& operator=(const Ref&) = delete;

    T* get() const noexcept { return p_; }
    T* operator->() const noexcept { return p_; }

private:
    T* p_ = nullptr;
};

}  // namespace db::fb
