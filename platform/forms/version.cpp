// Keeps the platform library non-empty while its parts are being written.
namespace plat {
const char* platform_version() { return "0.1"; }
}  // namespace plat
