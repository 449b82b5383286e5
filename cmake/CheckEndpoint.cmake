# cmake -DTARVELO_SERVICE_URL=... -DTARVELO_ACCESS_TOKEN=... -P CheckEndpoint.cmake
# The configure-time check of the service values, for scripts: prints
# "site=SITE" when both are good, "problem=SENTENCE" otherwise (exit status 0
# either way; a script reads the line). Without TARVELO_ACCESS_TOKEN the URL
# alone is checked (the build's default token is good).
include(${CMAKE_CURRENT_LIST_DIR}/Endpoint.cmake)
if(NOT DEFINED TARVELO_ACCESS_TOKEN)
  set(TARVELO_ACCESS_TOKEN "-")
endif()
tarvelo_endpoint_problem(problem)
if(problem)
  message("problem=${problem}")
else()
  tarvelo_check_endpoint()
  message("site=${TARVELO_SERVICE_SITE}")
endif()
