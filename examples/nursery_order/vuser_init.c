vuser_init()
{
    web_url("home", "URL=https://shop.example/nursery/", LAST);
    web_submit_form("sign_in", "Name=email", "Value={CustomerEmail}", "Name=password", "Value={Password}", LAST);
    return 0;
}
