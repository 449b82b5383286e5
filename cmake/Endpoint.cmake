# Checks the service values built into the programs (TARVELO_SERVICE_URL,
# TARVELO_ACCESS_TOKEN) and sets TARVELO_SERVICE_SITE, the endpoint's scheme,
# host and port followed by '/' (also the namespace of the requests). A bad
# value stops the configuration with a message that names it.
function(tarvelo_check_endpoint)
  if(NOT TARVELO_SERVICE_URL MATCHES "^https?://[^/ \"'<>&\\?#@]+/Service\\.asmx$")
    message(FATAL_ERROR "TARVELO_SERVICE_URL must be an http or https URL whose path is /Service.asmx "
                        "(http[s]://HOST[:PORT]/Service.asmx), got '${TARVELO_SERVICE_URL}'")
  endif()
  # The token is written into every request's XML as it is: printable ASCII,
  # no markup characters, no quotes, no white space.
  if(NOT TARVELO_ACCESS_TOKEN MATCHES "^[!#-%(-;=?-~]+$")
    message(FATAL_ERROR "TARVELO_ACCESS_TOKEN must be non-empty printable ASCII without white space, "
                        "quotes, '<', '>' or '&', got '${TARVELO_ACCESS_TOKEN}'")
  endif()
  string(REGEX REPLACE "^(https?://[^/]+)/.*$" "\\1/" site "${TARVELO_SERVICE_URL}")
  set(TARVELO_SERVICE_SITE "${site}" PARENT_SCOPE)
endfunction()
