# Writes the site's index.html from the page's source with its style sheet and scripts inline: the first field
# waits on no request but the program's.
file(READ ${SOURCE_DIR}/index.html page)
file(READ ${SOURCE_DIR}/vantrel.css style)
file(READ ${SOURCE_DIR}/screen.js layout)
file(READ ${SOURCE_DIR}/storage.js storage)
file(READ ${SOURCE_DIR}/release.js release)
file(READ ${SOURCE_DIR}/page.js script)
string(REPLACE "<link rel=\"stylesheet\" href=\"vantrel.css\">" "<style>\n${style}</style>" page "${page}")
string(REPLACE "<script src=\"screen.js\"></script>" "<script>\n${layout}</script>" page "${page}")
string(REPLACE "<script src=\"page.js\"></script>" "<script>\n${storage}${release}${script}</script>" page "${page}")
file(WRITE ${SITE_DIR}/index.html.new "${page}")
file(COPY_FILE ${SITE_DIR}/index.html.new ${SITE_DIR}/index.html ONLY_IF_DIFFERENT)
file(REMOVE ${SITE_DIR}/index.html.new)
