vuser_end()
{
    web_url("sign_out", "URL=https://shop.example/nursery/sign-out", LAST);
    return 0;
}
