#pragma once
// Whether the router link can carry what the user typed, checked before the
// first request of an apply run (and by the password pages before they send
// anything): every request is built as the run will build it, with room for
// the session cookie and keys the router hands out, against its fixed-size
// buffer; a password that travels in a cookie must not hold ";" (it would end
// the cookie) or a control character. A run that could not carry a value
// would otherwise fail half-way, after it had already changed the router.

#include <string>
#include <string_view>

struct WizardSettings;

// The values a refusal can name.
enum class CarriedField
{
    RouterAddress,
    RouterPassword,
    NewRouterPassword,
    PppUserName,
    PppPassword,
    StaticAddresses,
    Ssid,
    WirelessKey,
};

enum class CarryProblem
{
    None,
    TooLong,       // a request holding it would not fit its buffer
    NotInACookie,  // ";" or a control character in a password sent in a cookie
};

struct CarryCheck
{
    CarryProblem Problem = CarryProblem::None;
    CarriedField Field = CarriedField::RouterAddress;

    bool Carried() const { return Problem == CarryProblem::None; }
};

// Room kept in every request for the session cookie and the session keys
// the router hands out; they are not known before the run.
inline constexpr std::size_t kRouterTokenRoom = 32;

// Every request of an apply run with these settings sent to routerAddress.
// The first value that cannot be carried is named; where several values share
// a request that is too long, the longest of them.
CarryCheck CheckApplyCarriable(const WizardSettings& settings, std::string_view routerAddress);

// The router passwords alone: the login with either, the cookies that carry
// either, and, when newPassword is not empty, the password change.
CarryCheck CheckRouterPasswordsCarriable(std::string_view currentPassword,
                                         std::string_view newPassword,
                                         std::string_view routerAddress);

// A sentence for the user that names the field and the problem; empty when
// the check found none.
std::string CarryMessage(const CarryCheck& check);
