# cmake -DTARVELO_SERVICE_URL=... -DTARVELO_ACCESS_TOKEN=... -P check-endpoint.cmake
# Runs the configure-time check of the service values and prints the site.
include(${CMAKE_CURRENT_LIST_DIR}/../../cmake/Endpoint.cmake)
tarvelo_check_endpoint()
message("site=${TARVELO_SERVICE_SITE}")
