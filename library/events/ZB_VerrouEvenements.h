#pragma once

// Holds the lock of an event list, or of a group of lists, for a scope: it
// is released on every way out, an exception included, or earlier by
// unlock(), after which the guard does nothing more.
template <typename Verrouillable>
class ZB_VerrouEvenements
{
public:
    explicit ZB_VerrouEvenements(Verrouillable& cible)
        : cible_(&cible)
    {
        cible_->lock();
    }
    ~ZB_VerrouEvenements() { unlock(); }
    ZB_VerrouEvenements(const ZB_VerrouEvenements&) = delete;
    ZB_VerrouEvenements& operator=(const ZB_VerrouEvenements&) = delete;

    void unlock()
    {
        if (cible_ != nullptr) {
            cible_->unlock();
            cible_ = nullptr;
        }
    }

private:
    Verrouillable* cible_;
};
