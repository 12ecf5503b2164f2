# Imported targets for the cross-built third-party libraries (tools/setup.sh).
if(NOT EXISTS "${TOLVAN_DEPS}/include")
    message(FATAL_ERROR "third-party libraries not found in ${TOLVAN_DEPS}: run tools/setup.sh")
endif()

function(tolvan_import name lib)
    add_library(${name} STATIC IMPORTED GLOBAL)
    set_target_properties(${name} PROPERTIES
        IMPORTED_LOCATION "${TOLVAN_DEPS}/lib/${lib}"
        INTERFACE_INCLUDE_DIRECTORIES "${TOLVAN_DEPS}/include")
    if(ARGN)
        set_property(TARGET ${name} PROPERTY INTERFACE_LINK_LIBRARIES ${ARGN})
    endif()
endfunction()

tolvan_import(dep::zlib libz.a)
tolvan_import(dep::minizip libminizip.a dep::zlib)
set_property(TARGET dep::minizip APPEND PROPERTY INTERFACE_INCLUDE_DIRECTORIES "${TOLVAN_DEPS}/include/minizip")
tolvan_import(dep::crypto libcrypto.a ws2_32 crypt32 bcrypt user32 advapi32)
tolvan_import(dep::sqlcipher libsqlcipher.a dep::crypto)
set_property(TARGET dep::sqlcipher APPEND PROPERTY INTERFACE_COMPILE_DEFINITIONS SQLITE_HAS_CODEC)
tolvan_import(dep::jansson libjansson.a)
tolvan_import(dep::event libevent_core.a ws2_32 iphlpapi)
tolvan_import(dep::curl libcurl.a ws2_32 crypt32 bcrypt secur32 wldap32 normaliz iphlpapi)
set_property(TARGET dep::curl APPEND PROPERTY INTERFACE_COMPILE_DEFINITIONS CURL_STATICLIB)
tolvan_import(dep::gsoap libgsoap++.a ws2_32)
set_property(TARGET dep::gsoap APPEND PROPERTY INTERFACE_INCLUDE_DIRECTORIES "${TOLVAN_DEPS}/include/gsoap")
tolvan_import(dep::xml2 libxml2.a ws2_32)
set_property(TARGET dep::xml2 APPEND PROPERTY INTERFACE_COMPILE_DEFINITIONS LIBXML_STATIC)
set_property(TARGET dep::xml2 APPEND PROPERTY INTERFACE_INCLUDE_DIRECTORIES "${TOLVAN_DEPS}/include/libxml2")

find_program(SOAPCPP2 soapcpp2 REQUIRED)
