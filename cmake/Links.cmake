# Checks the tray menu's link values (TARVELO_MAKER_URL, TARVELO_LINK_*_URL)
# and sets TARVELO_LINK_*_PAGE, the page each sibling entry opens. A bad value
# stops the configuration with a message that names it.
function(tarvelo_check_links)
  if(NOT TARVELO_MAKER_URL MATCHES "^https?://[^/ \"\\]+/$")
    message(FATAL_ERROR "TARVELO_MAKER_URL must be an http or https URL of a site root "
                        "(the host, an optional port, then '/'), got '${TARVELO_MAKER_URL}'")
  endif()
  foreach(link NEWS FORUM TRAINING)
    set(url "${TARVELO_LINK_${link}_URL}")
    if(url STREQUAL "")
      set(TARVELO_LINK_${link}_PAGE "${TARVELO_MAKER_URL}" PARENT_SCOPE)
    elseif(url MATCHES "^https?://[^/ \"\\]+(/[^ \"\\]*)?$")
      set(TARVELO_LINK_${link}_PAGE "${url}" PARENT_SCOPE)
    else()
      message(FATAL_ERROR "TARVELO_LINK_${link}_URL must be empty or an http or https URL, got '${url}'")
    endif()
  endforeach()
endfunction()
