# cmake -DTARVELO_MAKER_URL=... [-DTARVELO_LINK_NEWS_URL=...] -P check-links.cmake
# Runs the configure-time check of the tray menu's links and prints the pages.
include(${CMAKE_CURRENT_LIST_DIR}/../../cmake/Links.cmake)
tarvelo_check_links()
message("news=${TARVELO_LINK_NEWS_PAGE} forum=${TARVELO_LINK_FORUM_PAGE} training=${TARVELO_LINK_TRAINING_PAGE}")
