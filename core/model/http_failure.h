#pragma once
// Why a Hördat search got no answer at all; the message catalogue words each for the user.
namespace velmora {

enum class HttpFailure {
  None,             // there is an answer (whatever its HTTP status)
  Init,             // the network library could not be set up
  BadAddress,       // the query address is malformed or not http/https
  UnknownHost,      // the host (or proxy) name does not resolve
  Refused,          // nothing listens there
  Timeout,          // no answer in time
  Tls,              // the secure connection failed
  TooManyRedirects, // more than five redirects
  Other,            // any other transfer error
};

} // namespace velmora
