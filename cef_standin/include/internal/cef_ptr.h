// Smart pointer of the API's reference-counted objects.
#ifndef CEF_INCLUDE_INTERNAL_CEF_PTR_H_
#define CEF_INCLUDE_INTERNAL_CEF_PTR_H_

#include <cstddef>
#include <utility>

// Holds one reference to a reference-counted object (AddRef/Release).
template <class T>
class CefRefPtr {
  public:
    typedef T element_type;

    CefRefPtr() = default;
    CefRefPtr(std::nullptr_t) {}
    CefRefPtr(T* p) : ptr_(p) {
        if (ptr_) ptr_->AddRef();
    }
    CefRefPtr(const CefRefPtr& r) : CefRefPtr(r.ptr_) {}
    template <typename U>
    CefRefPtr(const CefRefPtr<U>& r) : CefRefPtr(r.get()) {}
    CefRefPtr(CefRefPtr&& r) noexcept : ptr_(r.ptr_) { r.ptr_ = nullptr; }
    template <typename U>
    CefRefPtr(CefRefPtr<U>&& r) noexcept : ptr_(r.release()) {}
    ~CefRefPtr() {
        if (ptr_) ptr_->Release();
    }

    CefRefPtr& operator=(std::nullptr_t) {
        CefRefPtr().swap(*this);
        return *this;
    }
    CefRefPtr& operator=(T* p) {
        CefRefPtr(p).swap(*this);
        return *this;
    }
    CefRefPtr& operator=(CefRefPtr r) noexcept {
        swap(r);
        return *this;
    }

    T* get() const { return ptr_; }
    T& operator*() const { return *ptr_; }
    T* operator->() const { return ptr_; }
    explicit operator bool() const { return ptr_ != nullptr; }

    void reset() { CefRefPtr().swap(*this); }
    // Gives up the reference without releasing it.
    T* release() {
        T* p = ptr_;
        ptr_ = nullptr;
        return p;
    }
    void swap(CefRefPtr& r) noexcept { std::swap(ptr_, r.ptr_); }

  private:
    T* ptr_ = nullptr;
};

template <class T, class U>
bool operator==(const CefRefPtr<T>& a, const CefRefPtr<U>& b) {
    return a.get() == b.get();
}
template <class T, class U>
bool operator!=(const CefRefPtr<T>& a, const CefRefPtr<U>& b) {
    return a.get() != b.get();
}
template <class T, class U>
bool operator==(const CefRefPtr<T>& a, const U* b) {
    return a.get() == b;
}
template <class T, class U>
bool operator!=(const CefRefPtr<T>& a, const U* b) {
    return a.get() != b;
}
template <class T>
bool operator==(const CefRefPtr<T>& a, std::nullptr_t) {
    return !a;
}
template <class T>
bool operator!=(const CefRefPtr<T>& a, std::nullptr_t) {
    return static_cast<bool>(a);
}
template <class T>
bool operator==(std::nullptr_t, const CefRefPtr<T>& a) {
    return !a;
}
template <class T>
bool operator!=(std::nullptr_t, const CefRefPtr<T>& a) {
    return static_cast<bool>(a);
}
template <class T, class U>
bool operator<(const CefRefPtr<T>& a, const CefRefPtr<U>& b) {
    return a.get() < b.get();
}

// Pointer that neither owns nor counts; valid only for the call it is given to.
template <class T>
using CefRawPtr = T*;

#endif  // CEF_INCLUDE_INTERNAL_CEF_PTR_H_
