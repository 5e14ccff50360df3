#pragma once
// COM identity with aggregation support. Every object derived from UnknownObject owns a
// nondelegating IUnknown (its true reference count and interface table) and forwards the
// IUnknown of all its other interfaces to Owner(): the aggregating object when there is
// one, else its own nondelegating IUnknown.
#include <windows.h>
#include <unknwn.h>

// Same vtable layout as IUnknown, so a pointer to it can be handed out as an IUnknown*.
struct INonDelegatingUnknown {
    virtual HRESULT STDMETHODCALLTYPE NonDelegatingQueryInterface(REFIID iid, void** out) = 0;
    virtual ULONG STDMETHODCALLTYPE NonDelegatingAddRef() = 0;
    virtual ULONG STDMETHODCALLTYPE NonDelegatingRelease() = 0;
};

// Number of live objects of this module (UnknownObject instances); DllCanUnloadNow uses it.
long ModuleObjectCount();

class UnknownObject : public INonDelegatingUnknown {
public:
    explicit UnknownObject(IUnknown* outer);
    virtual ~UnknownObject();
    UnknownObject(const UnknownObject&) = delete;
    UnknownObject& operator=(const UnknownObject&) = delete;

    // Answers IID_IUnknown with the nondelegating IUnknown; derived classes answer their own
    // interfaces (through GetInterface) and call this for the rest.
    HRESULT STDMETHODCALLTYPE NonDelegatingQueryInterface(REFIID iid, void** out) override;
    ULONG STDMETHODCALLTYPE NonDelegatingAddRef() override;
    // Deletes the object when the count reaches zero.
    ULONG STDMETHODCALLTYPE NonDelegatingRelease() override;

    // The IUnknown that speaks for this object's identity.
    IUnknown* Owner() const { return owner_; }
    // The nondelegating IUnknown: what a class factory hands to an aggregating object.
    IUnknown* NonDelegating() { return reinterpret_cast<IUnknown*>(static_cast<INonDelegatingUnknown*>(this)); }

protected:
    // Stores an interface pointer after counting a reference on the object's identity.
    static HRESULT GetInterface(IUnknown* itf, void** out);

private:
    IUnknown* owner_;
    volatile LONG refs_ = 0;
};

// Forwards the IUnknown of a COM interface implemented by an UnknownObject to its Owner().
#define FORWARD_IUNKNOWN_TO_OWNER                                                                   \
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {                   \
        return Owner()->QueryInterface(iid, out);                                                  \
    }                                                                                              \
    ULONG STDMETHODCALLTYPE AddRef() override { return Owner()->AddRef(); }                        \
    ULONG STDMETHODCALLTYPE Release() override { return Owner()->Release(); }
