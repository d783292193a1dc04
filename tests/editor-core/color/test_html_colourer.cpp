// The HTML colourer and its hand-overs to the embedded languages.
#include "ClsColor.h"

#include <gtest/gtest.h>

namespace {

class Html : public ::testing::Test {
protected:
    void SetUp() override
    {
        c.SetVKeywords(L",", L"Dim,If,Then", 5, 1);
        c.SetJKeywords(L",", L"var,function");
        c.SetCSSKeywords(L",", L"color");
        c.SetPHPKeywords(L",", L"echo");
    }
    ClsColor c;
};

TEST_F(Html, TagsAndAttributeValues)
{
    EXPECT_EQ(c.ColorH(L"<a href=\"x\" target=\"y\">Go</a>"),
              "\\cf6 <a href=\\cf0 \\cf5 \"x\" \\cf6 target=\\cf5 \"y\"\\cf6 >\\cf0 Go\\cf6 </a>\\cf0 ");
    EXPECT_EQ(c.ColorH(L"<br>"), "\\cf6 <br>\\cf0 ");
    EXPECT_EQ(c.ColorH(L"<br/>"), "\\cf6 <br/>\\cf0 ");
    EXPECT_EQ(c.ColorH(L"<img src=\"a.gif\" />"),
              "\\cf6 <img src=\\cf0 \\cf5 \"a.gif\" \\cf5 \\cf6 \\b /\\b0 >\\cf0 ");
    EXPECT_EQ(c.ColorH(L"<input a=1 checked b=\"x y\">"),
              "\\cf6 <input a=\\cf0 \\cf5 1 \\cf6 checked \\cf6 b=\\cf5 \"x y\"\\cf6 >\\cf0 ");
}

TEST_F(Html, UnfinishedConstructsKeepTheirTextOnce)
{
    EXPECT_EQ(c.ColorH(L"a<b"), "a\\cf0 <b\\cf0 ");
    EXPECT_EQ(c.ColorH(L"a<b c=\"d"), "a\\cf6 <b c=\\cf0 \\cf0 \"d\\cf0 ");
    EXPECT_EQ(c.ColorH(L"a<!-- b"), "a\\cf0 <!-- b\\cf0 ");
    EXPECT_EQ(c.ColorH(L"<script language=\"vbscript\""), "\\cf0 <script language=\"vbscript\"\\cf0 ");
    EXPECT_EQ(c.ColorH(L"<% If"), "\\cf6 <% If");
}

TEST_F(Html, Comments)
{
    EXPECT_EQ(c.ColorH(L"a<!-- <b> -- -->c"), "a\\cf3 <!-- <b> -- -->\\cf0 c");
    EXPECT_EQ(c.ColorH(L"<!-->x"), "\\cf3 <!-->\\cf0 x");
    EXPECT_EQ(c.ColorH(L"<!DOCTYPE html>"), "\\cf6 <!DOCTYPE html>\\cf0 ");
}

TEST_F(Html, ScriptBlocksByLanguage)
{
    EXPECT_EQ(c.ColorH(L"<script language=\"VBScript\">\rif x then\r</script>"),
              "\\cf6 <script language=\\cf0 \\cf5 \"VBScript\"\\cf6 >\\cf0 "
              "\r\n\\par \\cf1 If\\cf0  x \\cf1 Then\\cf0 \r\n\\par "
              "\\cf6 </script>\\cf0 ");
    EXPECT_EQ(c.ColorH(L"<SCRIPT type=\"text/javascript\">var a;a</SCRIPT>"),
              "\\cf6 <SCRIPT type=\\cf0 \\cf5 \"text/javascript\"\\cf6 >\\cf0 "
              "\\cf1 var\\cf0  \\cf4 a\\cf0 ;\\cf4 a\\cf0 \\cf6 </SCRIPT>\\cf0 ");
    EXPECT_EQ(c.ColorH(L"<script language=\"php\">echo $a;</script>"),
              "\\cf6 <script language=\\cf0 \\cf5 \"php\"\\cf6 >\\cf0 "
              "\\cf1 echo\\cf0  \\cf4 $a\\cf0 ;\\cf6 </script>\\cf0 ");
    // No known language, or a block of three characters or fewer: markup.
    EXPECT_EQ(c.ColorH(L"<script>var a</script>"), "\\cf6 <script>\\cf0 var a\\cf6 </script>\\cf0 ");
    EXPECT_EQ(c.ColorH(L"<script language=\"javascript\">var</script>"),
              "\\cf6 <script language=\\cf0 \\cf5 \"javascript\"\\cf6 >\\cf0 var\\cf6 </script>\\cf0 ");
    // Without a closing tag the content stays markup.
    EXPECT_EQ(c.ColorH(L"<script language=\"javascript\">var a"),
              "\\cf6 <script language=\\cf0 \\cf5 \"javascript\"\\cf6 >\\cf0 var a");
}

TEST_F(Html, StyleBlocks)
{
    EXPECT_EQ(c.ColorH(L"<style>p { color: red; }</style>x"),
              "\\cf6 <style>\\cf0 \\cf4 p \\cf0 \\{ \\cf1 color\\cf0 : red; \\}\\cf4 \\cf6 </style>\\cf0 x");
    EXPECT_EQ(c.ColorH(L"<strong>color</strong>"), "\\cf6 <strong>\\cf0 color\\cf6 </strong>\\cf0 ");
}

TEST_F(Html, ServerAndPhpIslands)
{
    EXPECT_EQ(c.ColorH(L"<p><% If x %></p>"),
              "\\cf6 <p>\\cf0 \\cf6 <% \\cf1 If\\cf0  x \\cf6 %>\\cf0 \\cf6 </p>\\cf0 ");
    // A server block inside an attribute value; the rest of the tag is text.
    EXPECT_EQ(c.ColorH(L"<a href=\"<%=u%>\">x</a>"),
              "\\cf6 <a href=\\cf0 \"\\cf6 <%=u\\cf6 %>\\cf0 \">x\\cf6 </a>\\cf0 ");
    EXPECT_EQ(c.ColorH(L"<?php echo $x; ?>"),
              "\\cf6 <?php \\cf1 echo\\cf0  \\cf4 $x\\cf0 ; \\cf6 ?>\\cf0 ");
    EXPECT_EQ(c.ColorH(L"<?php # note ?>"), "\\cf6 <?php \\cf3 # note \\cf0 \\cf6 ?>\\cf0 ");
    c.NoPHPColor = true;
    EXPECT_EQ(c.ColorH(L"<?php echo $x; ?>"), "\\cf6 <?php echo $x; ?>\\cf0 ");
}

TEST_F(Html, BackslashesBracesAndLineEnds)
{
    EXPECT_EQ(c.ColorH(L"a\\b{c}\r\n<% x = \"\\\" %>"),
              "a\\\\b\\{c\\}\r\n\\par \\cf6 <% x = \\cf2 \"\\\\\"\\cf0  \\cf6 %>\\cf0 ");
}

TEST_F(Html, FragmentUsesTheEditorType)
{
    std::string frame = c.RtfFrame();
    EXPECT_EQ(c.RtfFragment(EditorType::ASP, L"<br>"), frame + "\\cf6 <br>\\cf0 }");
    EXPECT_EQ(c.RtfFragment(EditorType::HTML, L"<br>"), frame + "\\cf6 <br>\\cf0 }");
    EXPECT_EQ(c.RtfFragment(EditorType::CSS, L"a"), frame + "\\cf4 a}");
    EXPECT_EQ(c.RtfFragment(EditorType::VBScript, L"if"), frame + "\\cf1 If\\cf0 }");
    EXPECT_EQ(c.RtfFragment(EditorType::JavaScript, L"var"), frame + "\\cf1 var\\cf0 }");
    EXPECT_EQ(c.RtfFragment(EditorType::None, L"<br>"), frame + "<br>}");
    EXPECT_EQ(c.RtfBody(EditorType::JavaScript, L"var"), "\\cf1 var\\cf0 ");
}

} // namespace
