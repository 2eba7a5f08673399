// The redirect rule for every kind of address the browser can report.
#include <gtest/gtest.h>

#include <string>

#include "help_site.h"
#include "redirect_rule.h"

namespace {

using tlq::help::redirect_target;
using tlq::help::site_base;
using tlq::help::site_page;

struct AddressCase {
    std::string address;
    bool redirected;
};

std::string on_http(const std::string& https_address)
{
    return "http" + https_address.substr(5);  // "https..." -> "http..."
}

TEST(RedirectRule, SendsOnlyTheItemIndexAndLoginPagesBack)
{
    const std::string index = site_page("/item/index");
    const std::string login = site_page("/user/login");
    const AddressCase cases[] = {
        {index, true},
        {index + "?id=12", false},
        {index + "/", false},
        {site_page("/Item/Index"), false},
        {login, true},
        {login + "?next=%2Ftlqhelp", true},
        {login + "s", true},
        {login + "/forgot", true},
        {site_page("/user/logout"), false},
        {site_page("/User/Login"), false},
        {site_page("/user/Login"), false},
        {login.substr(0, login.size() - 1), false},
        {site_page("/tlqhelp"), false},
        {site_page("/tlqhelp/editor"), false},
        {std::string(site_base), false},
        {on_http(index), false},
        {on_http(login), false},
        {"https://other.example.com/item/index", false},
        {"https://other.example.com/user/login", false},
        {"about:blank", false},
        {"", false},
    };
    for (const AddressCase& c : cases) {
        SCOPED_TRACE(c.address);
        const std::string target = redirect_target(c.address);
        if (c.redirected)
            EXPECT_EQ(target, site_page("/tlqhelp"));
        else
            EXPECT_EQ(target, "");
    }
}

TEST(RedirectRule, ComparesBytesNotTexts)
{
    // A zero byte or a GBK pair after the login page still begins with it;
    // the same bytes inside the index address make it a different one.
    const std::string login = site_page("/user/login");
    const std::string index = site_page("/item/index");
    EXPECT_EQ(redirect_target(login + std::string(1, '\0') + "x"), site_page("/tlqhelp"));
    EXPECT_EQ(redirect_target(login + "\xB0\xA1"), site_page("/tlqhelp"));
    EXPECT_EQ(redirect_target(index + std::string(1, '\0')), "");
    EXPECT_EQ(redirect_target(std::string(1, '\0') + index), "");
}

TEST(RedirectRule, SiteIsHttps)
{
    EXPECT_EQ(std::string(site_base).rfind("https://", 0), 0u);
    EXPECT_EQ(std::string(tlq::help::probe_address).rfind("http://", 0), 0u);
}

}  // namespace
