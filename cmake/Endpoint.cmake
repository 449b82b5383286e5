# Checks the service values built into the programs (TARVELO_SERVICE_URL,
# TARVELO_ACCESS_TOKEN) and sets TARVELO_SERVICE_SITE, the endpoint's scheme,
# host and port followed by '/' (also the namespace of the requests). A bad
# value stops the configuration with a message that names it.
function(tarvelo_check_endpoint)
  tarvelo_endpoint_problem(problem)
  if(problem)
    message(FATAL_ERROR "${problem}")
  endif()
  string(REGEX REPLACE "^(https?://[^/]+)/.*$" "\\1/" site "${TARVELO_SERVICE_URL}")
  set(TARVELO_SERVICE_SITE "${site}" PARENT_SCOPE)
endfunction()

# What is wrong with the two values, in a sentence, or empty when nothing is.
function(tarvelo_endpoint_problem out)
  set(problem "")
  if(NOT TARVELO_SERVICE_URL MATCHES "^https?://[^/ \"'<>&\\?#@]+/Service\\.asmx$")
    string(CONCAT problem "TARVELO_SERVICE_URL must be an http or https URL whose path is /Service.asmx "
                "(http[s]://HOST[:PORT]/Service.asmx), got '${TARVELO_SERVICE_URL}'")
  # The token is written into every request's XML as it is: printable ASCII,
  # no markup characters, no quotes, no white space.
  elseif(NOT TARVELO_ACCESS_TOKEN MATCHES "^[!#-%(-;=?-~]+$")
    string(CONCAT problem "TARVELO_ACCESS_TOKEN must be non-empty printable ASCII without white space, "
                "quotes, '<', '>' or '&', got '${TARVELO_ACCESS_TOKEN}'")
  endif()
  set(${out} "${problem}" PARENT_SCOPE)
endfunction()
